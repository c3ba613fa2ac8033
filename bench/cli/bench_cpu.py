#!/usr/bin/env python3
"""Whole-process CPU (user + system) of tickforge-cli commands against a bare
QCoreApplication program that reads the design and prints it; the median of
interleaved runs, so that a busy machine weighs on every side alike.

    bench/cli/bench_cpu.py build/cli/tickforge-cli build/bench/cli/bench_bare_core [runs]

Targets: --version, show, check, set and solve each at most 1.3x the bare
program, generate at most 1.6x (for generate, the bare program also writes
the same four files, the same sizes, with plain writes: the cheapest way to do
generate's visible work); `generate --each` over 100 designs at most 0.25x
the CPU of 100 separate `generate` calls."""

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
    # In memory when possible: the kernel's cost of making inodes on a disk
    # that has seen many deletions (tens of ms per hundred files here) is the
    # same for both sides and would only hide the process's own CPU. Set
    # TF_BENCH_DIR to measure on another file system.
    root = os.environ.get("TF_BENCH_DIR") or ("/dev/shm" if os.path.isdir("/dev/shm") else None)
    print("work folder in %s" % (root or tempfile.gettempdir()))
    with tempfile.TemporaryDirectory(dir=root) as work:
        design = os.path.join(work, "board.TFCC")
        subprocess.run([cli, "new", "QXC330", "-o", design], check=True)
        edited = os.path.join(work, "edited.TFCC")
        out = os.path.join(work, "out")
        subprocess.run([cli, "generate", design, out], check=True, capture_output=True)
        written = sorted(os.path.join(root, name) for root, _, names in os.walk(out) for name in names)
        reference = os.path.join(work, "reference")
        os.rename(out, reference)
        written = [path.replace(out, reference, 1) for path in written]
        bare_out = os.path.join(work, "bare-out")
        cases = [
            ("bare QCoreApplication", [bare, design]),
            ("bare, writing the files", [bare, design, "--write", bare_out] + written),
            ("show", [cli, "show", design]),
            ("check", [cli, "check", design]),
            ("generate", [cli, "generate", design, out, "--overwrite"]),
            ("set", [cli, "set", design, "ahbdiv=2", "apb1div=4", "-o", edited, "--overwrite"]),
            ("--version", [cli, "--version"]),
            ("solve", [cli, "solve", "QXC330", "--hext", "8", "--sclk", "287.3"]),
        ]
        if not has_set:
            cases = [case for case in cases if case[0] != "set"]
        times = {name: [] for name, _ in cases}
        for _ in range(runs):
            for name, argv in cases:
                times[name].append(cpu(argv))
        base = statistics.median(times["bare QCoreApplication"])
        base_writing = statistics.median(times["bare, writing the files"])
        print("median whole-process CPU of %d interleaved runs" % runs)
        missed = False
        for name, _ in cases:
            m = statistics.median(times[name])
            against = base_writing if name == "generate" else base
            ratio = m / against
            target = 1.6 if name == "generate" else 1.3
            note = "" if name.startswith("bare") else "  (target <= %gx%s)" % (
                target, ", against the bare writer" if name == "generate" else "")
            missed = missed or (not name.startswith("bare") and ratio > target)
            print("  %-24s %7.1f ms  %5.2fx bare%s" % (name, m * 1000, ratio, note))

        if not has_each:
            return 1 if missed else 0
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
        return 1 if missed or e / s > 0.25 else 0


if __name__ == "__main__":
    sys.exit(main())
