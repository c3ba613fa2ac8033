#!/usr/bin/env python3
"""Whole-process CPU (user + system) of tickforge-cli commands against a bare
QCoreApplication program that reads the design and prints it; the median of
interleaved runs, so that a busy machine weighs on every side alike.

    bench/cli/bench_cpu.py build/cli/tickforge-cli build/bench/cli/bench_bare_core [runs]

Targets: show, check, generate and set each at most 3x the bare program;
`generate --each` over 100 designs at most 0.25x the CPU of 100 separate
`generate` calls."""

import os
import statistics
import subprocess
import sys
import tempfile


def cpu(argv):
    """CPU seconds of one process (and its children)."""
    with open(os.devnull, "wb") as null:
        proc = subprocess.Popen(argv, stdout=null, stderr=null)
        _, status, usage = os.wait4(proc.pid, 0)
        proc.returncode = os.waitstatus_to_exitcode(status)
    if proc.returncode not in (0, 3):
        sys.exit("failed (%d): %s" % (proc.returncode, " ".join(argv)))
    return usage.ru_utime + usage.ru_stime


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else "build/cli/tickforge-cli"
    bare = sys.argv[2] if len(sys.argv) > 2 else "build/bench/cli/bench_bare_core"
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 21
    usage = subprocess.run([cli, "--help"], capture_output=True, text=True).stdout
    has_set, has_each = "  set FILE" in usage, "--each" in usage  # an older build may lack them
    with tempfile.TemporaryDirectory() as work:
        design = os.path.join(work, "board.TFCC")
        subprocess.run([cli, "new", "QXC330", "-o", design], check=True)
        edited = os.path.join(work, "edited.TFCC")
        out = os.path.join(work, "out")
        cases = [
            ("bare QCoreApplication", [bare, design]),
            ("show", [cli, "show", design]),
            ("check", [cli, "check", design]),
            ("generate", [cli, "generate", design, out, "--overwrite"]),
            ("set", [cli, "set", design, "ahbdiv=2", "apb1div=4", "-o", edited, "--overwrite"]),
        ][:None if has_set else -1]
        times = {name: [] for name, _ in cases}
        for _ in range(runs):
            for name, argv in cases:
                times[name].append(cpu(argv))
        base = statistics.median(times["bare QCoreApplication"])
        print("median whole-process CPU of %d interleaved runs" % runs)
        for name, _ in cases:
            m = statistics.median(times[name])
            print("  %-22s %7.1f ms  %5.2fx bare%s" % (name, m * 1000, m / base,
                                                         "" if name.startswith("bare") else "  (target <= 3x)"))

        if not has_each:
            return
        count = 100
        designs = []
        for i in range(count):
            path = os.path.join(work, "d%03d.TFCC" % i)
            subprocess.run([cli, "new", ["QXC330", "QXC310", "QXC315", "QXE020"][i % 4], "-o", path],
                           check=True)
            designs.append(path)
        separate = []
        each = []
        for r in range(3):
            root = os.path.join(work, "each%d" % r)
            each.append(cpu([cli, "generate", "--each", root] + designs))
            total = 0.0
            for path in designs:
                total += cpu([cli, "generate", path,
                              os.path.join(work, "sep%d" % r, os.path.basename(path))])
            separate.append(total)
        s, e = statistics.median(separate), statistics.median(each)
        print("%d designs: %d separate generate calls %.2f s CPU, one generate --each %.2f s: %.3fx"
              " (target <= 0.25x)" % (count, count, s, e, e / s))


if __name__ == "__main__":
    main()
