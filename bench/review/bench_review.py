#!/usr/bin/env python3
"""Whole-process CPU (user + system) of the review commands of tickforge-cli:
report (HTML and Markdown with its drawing) and diff of two designs, with a
bare QCoreApplication program that reads the design and prints it beside them
as the floor any command on a design file pays; medians of interleaved runs.

    bench/review/bench_review.py build/cli/tickforge-cli build/bench/cli/bench_bare_core [runs]

Targets: report and diff each under 20 ms of CPU, whole process."""

import os
import statistics
import subprocess
import sys
import tempfile

TARGET_MS = 20.0


def cpu(argv, allowed=(0,)):
    """CPU seconds of one process."""
    with open(os.devnull, "wb") as null:
        proc = subprocess.Popen(argv, stdout=null, stderr=null)
        _, status, usage = os.wait4(proc.pid, 0)
    code = os.waitstatus_to_exitcode(status)
    if code not in allowed:
        sys.exit("failed (%d): %s" % (code, " ".join(argv)))
    return usage.ru_utime + usage.ru_stime


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else "build/cli/tickforge-cli"
    bare = sys.argv[2] if len(sys.argv) > 2 else "build/bench/cli/bench_bare_core"
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 21
    root = os.environ.get("TF_BENCH_DIR") or ("/dev/shm" if os.path.isdir("/dev/shm") else None)
    with tempfile.TemporaryDirectory(dir=root) as work:
        a = os.path.join(work, "a.TFCC")
        b = os.path.join(work, "b.TFCC")
        subprocess.run([cli, "new", "QXC330", "-o", a], check=True)
        subprocess.run([cli, "set", a, "ahbdiv=2", "tousbswitch=0", "-o", b, "--yes"], check=True,
                       capture_output=True)
        cases = [
            ("bare QCoreApplication", [bare, a], (0,)),
            ("report -o OUT.html", [cli, "report", a, "-o", os.path.join(work, "r.html"), "--overwrite"], (0,)),
            ("report -o OUT.md", [cli, "report", a, "-o", os.path.join(work, "r.md"), "--overwrite"], (0,)),
            ("report --lang zh", [cli, "report", a, "-o", os.path.join(work, "z.html"), "--overwrite",
                                  "--lang", "zh"], (0,)),
            ("diff (designs differ)", [cli, "diff", a, b], (1,)),
            ("diff (identical)", [cli, "diff", a, a], (0,)),
        ]
        times = {name: [] for name, _, _ in cases}
        for _ in range(runs):
            for name, argv, allowed in cases:
                times[name].append(cpu(argv, allowed))
    print("median whole-process CPU of %d interleaved runs" % runs)
    missed = False
    for name, _, _ in cases:
        ms = statistics.median(times[name]) * 1000
        bare_case = name.startswith("bare")
        missed = missed or (not bare_case and ms >= TARGET_MS)
        print("  %-24s %7.1f ms%s" % (name, ms, "" if bare_case else "  (target < %.0f ms)" % TARGET_MS))
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
