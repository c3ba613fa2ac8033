#!/usr/bin/env python3
"""Start-up of the program with a design given on the command line against a
bare maximised QMainWindow program built in the same tree (bench_bare_window):
time to the drawing (the bare window) first painted, CPU until idle and peak
memory; medians of interleaved runs, so that a busy machine weighs on both
alike. Run it on an X display (Xvfb with a window manager, such as openbox).

    bench/startup/bench_startup.py build/tests/app/tickforge-scripted build/bench/startup/bench_bare_window \\
        docs/manual/designs/QXC330_USB.TFCC [runs]

The program is timed as tickforge-scripted, built with the tests: tickforge's
own start-up and link line, which prints "painted" on standard output when
its drawing is first painted, as the bare window does when it is.

The program turns off the X platform's GL integration, which a bare Qt
program loads: it is judged against the bare window with the same setting
(QT_XCB_GL_INTEGRATION=none). Targets: CPU until idle <= 1.5x that window's,
the drawing painted within 1.5x the time that window takes to appear, peak
memory <= 1.1x. Exits 1 when one is missed. Timed too, for information: the
bare window with the GL integration on, and the bare window (GL off) with
the program's four menu titles in a menu bar (--menus), the least a program
that shows any text does: the first text loads the font database.

CPU until idle is the user and system time the kernel counted for the whole
process (every thread, ended ones included) once no thread has run for a
second, to the microsecond: the process is killed then and its rusage read.
Whether a thread still runs is seen in the scheduler's per-thread counts
(/proc/PID/task/*/schedstat, nanoseconds); /proc/PID/stat's 10 ms ticks are
too coarse for a start-up of a few tens of milliseconds."""

import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

IDLE_SECONDS = 1.0   # no CPU used for this long: start-up is over
POLL_SECONDS = 0.02
TIMEOUT_SECONDS = 30.0


def run_ns(pid):
    """CPU time of all the process' threads so far, in ns (scheduler's count):
    fine enough to see that start-up is over."""
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as f:
                total += int(f.read().split()[0])
        except OSError:
            pass  # a thread that just ended
    return total


def peak_mb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024.0
    return 0.0


def one_run(argv, home, extra_env):
    """(ms to first paint, CPU ms until idle, peak MB) of one start."""
    env = dict(os.environ)
    env.update(extra_env)
    env.update({"XDG_DATA_HOME": os.path.join(home, "data"), "XDG_CONFIG_HOME": os.path.join(home, "config")})
    shutil.rmtree(home, ignore_errors=True)  # no recovery copy, no recent list
    os.makedirs(home)
    started = time.monotonic()
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        painted = None
        out = b""
        while painted is None:
            if time.monotonic() - started > TIMEOUT_SECONDS or proc.poll() is not None:
                sys.exit("no paint mark from %s" % " ".join(argv))
            ready, _, _ = select.select([proc.stdout], [], [], POLL_SECONDS)
            if ready:
                out += os.read(proc.stdout.fileno(), 256)
                if b"painted\n" in out:
                    painted = time.monotonic() - started
        last, quiet_since = -1, time.monotonic()
        while time.monotonic() - quiet_since < IDLE_SECONDS:
            time.sleep(POLL_SECONDS)
            used = run_ns(proc.pid)
            if used != last:
                last, quiet_since = used, time.monotonic()
        peak = peak_mb(proc.pid)
        # Idle: what the kernel counted for the whole process (every thread,
        # ended ones too), to the microsecond, is what it leaves at its end.
        proc.kill()
        _, _, usage = os.wait4(proc.pid, 0)
        proc.returncode = -9
        return painted * 1000, (usage.ru_utime + usage.ru_stime) * 1000, peak
    finally:
        if proc.returncode is None:
            proc.kill()
            proc.wait()


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    program, bare, design = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 11
    if not os.environ.get("DISPLAY"):
        print("note: no DISPLAY; the figures are those of QT_QPA_PLATFORM=%s"
              % os.environ.get("QT_QPA_PLATFORM", "(default)"))
    cases = [("bare maximised QMainWindow", [bare], {}),
             ("bare, GL integration off", [bare], {"QT_XCB_GL_INTEGRATION": "none"}),
             ("tickforge " + os.path.basename(design), [program, design], {}),
             ("bare, GL off, four menu titles", [bare, "--menus"], {"QT_XCB_GL_INTEGRATION": "none"})]
    results = {name: [] for name, _, _ in cases}
    with tempfile.TemporaryDirectory() as work:
        for _ in range(runs):
            for name, argv, extra_env in cases:
                results[name].append(one_run(argv, os.path.join(work, "home"), extra_env))
    medians = {name: [statistics.median(r[i] for r in results[name]) for i in range(3)] for name, _, _ in cases}
    base = medians[cases[1][0]]  # the same GL setting as the program
    print("median of %d interleaved runs" % runs)
    print("  %-34s %9s %9s %9s" % ("", "painted", "CPU", "peak"))
    for name, _, _ in cases:
        m = medians[name]
        print("  %-34s %6.0f ms %6.0f ms %6.1f MB" % (name, m[0], m[1], m[2]))
    prog = medians[cases[2][0]]
    other = medians[cases[0][0]]
    print("  against the bare window with GL integration on: painted %.2fx, CPU %.2fx, peak %.2fx"
          % (prog[0] / other[0], prog[1] / other[1], prog[2] / other[2]))
    menus = medians[cases[3][0]]
    print("  against the bare window with four menu titles, GL off: painted %.2fx, CPU %.2fx, peak %.2fx"
          % (prog[0] / menus[0], prog[1] / menus[1], prog[2] / menus[2]))
    targets = [("painted", prog[0] / base[0], 1.5), ("CPU until idle", prog[1] / base[1], 1.5),
               ("peak memory", prog[2] / base[2], 1.1)]
    missed = False
    for label, ratio, limit in targets:
        ok = ratio <= limit
        missed = missed or not ok
        print("  %-16s %5.2fx the bare window, GL off (target <= %.1fx)%s" % (label, ratio, limit, "" if ok else "  MISSED"))
    sys.exit(1 if missed else 0)


if __name__ == "__main__":
    main()
