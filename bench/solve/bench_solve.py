#!/usr/bin/env python3
"""Whole-process CPU (user + system) of `tickforge-cli solve FILE` with four
wants, for every series, against `tickforge-cli show FILE` on the same design
(opening the design and printing: what solve does besides searching). The
median of interleaved runs, so that a busy machine weighs on every side alike.

    bench/solve/bench_solve.py build/cli/tickforge-cli [runs]

Each design is the series' factory one with USB on (where it has USB) and
every clock output on its first pin, so that the outputs take part in the
search. Wants: sclk=max, usb=48 (adc<=14 without USB), apb1<=36 and a clock
output at 24 MHz. Target: the slowest series under 100 ms."""

import os
import statistics
import subprocess
import sys
import tempfile

SERIES = ["QXC300", "QXC310", "QXC315", "QXC300A", "QXC305", "QXC320", "QXC330", "QXC335", "QXC325",
          "QXE020", "QXW315"]


def cpu(argv):
    """CPU seconds of one process."""
    with open(os.devnull, "wb") as null:
        proc = subprocess.Popen(argv, stdout=null, stderr=null)
        _, status, usage = os.wait4(proc.pid, 0)
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        sys.exit("failed (%d): %s" % (code, " ".join(argv)))
    return usage.ru_utime + usage.ru_stime


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else "build/cli/tickforge-cli"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 11
    with tempfile.TemporaryDirectory() as work:
        cases = []
        for series in SERIES:
            design = os.path.join(work, series + ".TFCC")
            subprocess.run([cli, "new", series, "-o", design], check=True)
            usage = subprocess.run([cli, "solve", design, "--want", "nothing=1"], capture_output=True,
                                   text=True).stderr
            clocks = usage.split("the clocks are: ")[1].strip().split(", ")
            edits = ["tousbswitch=0"] if "usb" in clocks else []
            edits += ["clkout1pinselect=1", "clkout2pinselect=1"] if "clkout1" in clocks else ["clkoutpinselect=1"]
            # --yes: USB may start off 48 MHz; solving puts it right.
            subprocess.run([cli, "set", design, "--yes"] + edits, check=True, capture_output=True)
            output = "clkout1" if "clkout1" in clocks else "clkout"
            wants = ["sclk=max", "usb=48" if "usb" in clocks else "adc<=14", "apb1<=36", output + "=24"]
            solve = [cli, "solve", design]
            for want in wants:
                solve += ["--want", want]
            cases.append((series, solve, [cli, "show", design]))
        solve_times = {series: [] for series, _, _ in cases}
        show_times = {series: [] for series, _, _ in cases}
        for _ in range(runs):
            for series, solve, show in cases:
                solve_times[series].append(cpu(solve))
                show_times[series].append(cpu(show))
        print("median whole-process CPU of %d interleaved runs, four wants" % runs)
        slowest = None
        for series, _, _ in cases:
            s = statistics.median(solve_times[series])
            b = statistics.median(show_times[series])
            print("  %-8s solve %6.1f ms   show %6.1f ms   search %6.1f ms" % (series, s * 1000, b * 1000,
                                                                               (s - b) * 1000))
            if slowest is None or s > slowest[1]:
                slowest = (series, s)
        print("slowest: %s, %.1f ms (target < 100 ms)" % (slowest[0], slowest[1] * 1000))
        return 0 if slowest[1] < 0.100 else 1


if __name__ == "__main__":
    sys.exit(main())
