#!/usr/bin/env python3
"""Runs a fixed set of random designs through tickforge-cli and prints what
every command answered, so that two builds can be compared byte for byte:

    tools/regress/cli_regression.py build/cli/tickforge-cli > before.txt
    ... change, rebuild ...
    tools/regress/cli_regression.py build/cli/tickforge-cli > after.txt
    diff before.txt after.txt

Designs are drawn with a fixed seed for every series the tool names (the
elements of each are those `new` writes); --valid keeps to values the program
accepts without a question, --count sets how many designs per series. Each
design is also edited with `set` (an edit drawn from a generator of its own,
so the designs stay those of earlier versions of this script) and the saved
crystal printed."""

import argparse
import hashlib
import os
import random
import re
import subprocess
import sys
import tempfile

AHB = [1, 2, 4, 8, 16, 64, 128, 256, 512]
APB = [1, 2, 4, 8, 16]
FR = [1, 2, 4, 8, 16, 32]
HEXTS = ["4.000000", "8.000000", "12.000000", "16.000000", "25.000000", "8.500000",
         "24.576000", "10.240000", "6.000000", "20.000000"]
ODD = ["", "x", "-1", "999", "nan", "8,5", "1e3", " 7 "]

# Elements of each series in file order, with a chooser per element.
FLEXIBLE = ["lextbypass", "rtcsel", "rtcswitch", "rtcdiv", "hext", "hextbypass", "pllrcs", "pllms",
            "pllns", "pllfr", "sclkselect", "ahbdiv", "apb1div", "apb2div", "usbdiv", "hicktousb",
            "tousbswitch", "hicktosclk", "clkout1", "clkout1div1", "clkout1div2", "clkout1pinselect",
            "clkout2", "clkout2div1", "clkout2div2", "clkout2pinselect"]
ALL_SERIES = ["QXC330", "QXC335", "QXC300A", "QXC305", "QXC300", "QXC310", "QXC315", "QXW315", "QXC320",
              "QXC325", "QXE020"]
SERIES = {}


def series_elements(cli):
    """Each series' elements in file order, as `new` writes them."""
    for series in ALL_SERIES:
        text = subprocess.run([cli, "new", series], capture_output=True, text=True).stdout
        SERIES[series] = [name for name in re.findall(r"<(\w+)>", text)
                          if name not in ("Configuration", "MCU")]


def flexible_factors(rng, hext, from_hick):
    ref = 8.0 if from_hick else float(hext)
    ms_choices = [m for m in range(1, 16) if 2.0 <= ref / m <= 16.0]
    ms = rng.choice(ms_choices)
    ns_choices = [n for n in range(31, 501) if 500.0 <= n * ref / ms <= 1000.0]
    return ms, rng.choice(ns_choices)


def design(rng, series, valid):
    values = {}
    hext = rng.choice(HEXTS)
    from_hick = rng.random() < 0.3
    ms, ns = flexible_factors(rng, hext, from_hick)
    divided = not from_hick and rng.random() < 0.3
    ref = 4.0 if from_hick else float(hext) / (2 if divided else 1)
    mult = max(2, min(64, int(96 / ref) - rng.randint(0, 6)))
    pick = {
        "hextdiv": lambda: 2, "pllhextdiv": lambda: int(divided), "pllmode": lambda: rng.randint(0, 1),
        "pllmult": lambda: mult, "adcswitch": lambda: rng.randint(0, 1),
        "adcdiv": lambda: rng.choice([2, 4, 6, 8, 12, 16]), "clkout": lambda: rng.randint(0, 7),
        "clkoutdiv": lambda: rng.choice(AHB), "clkoutpinselect": lambda: rng.randint(0, 1),
        "usart1clocksel": lambda: rng.randint(0, 3), "usart2clocksel": lambda: rng.randint(0, 3),
        "i2c1clocksel": lambda: rng.randint(0, 2),
        "lextbypass": lambda: rng.randint(0, 1), "rtcsel": lambda: rng.randint(0, 2),
        "rtcswitch": lambda: rng.randint(0, 1), "rtcdiv": lambda: rng.randint(2, 31),
        "hext": lambda: hext, "hextbypass": lambda: rng.randint(0, 1),
        "pllrcs": lambda: int(from_hick), "pllms": lambda: ms, "pllns": lambda: ns,
        "pllfr": lambda: rng.choice(FR), "sclkselect": lambda: rng.choice([0, 1, 1, 2]),
        "ahbdiv": lambda: rng.choice(AHB[:4]), "apb1div": lambda: rng.choice(APB),
        "apb2div": lambda: rng.choice(APB), "usbdiv": lambda: "%.1f" % rng.choice(
            [1.0 + 0.5 * i for i in range(13)]),
        "hicktousb": lambda: rng.randint(0, 1), "tousbswitch": lambda: rng.randint(0, 1),
        "hicktosclk": lambda: rng.randint(0, 1), "clkout1": lambda: rng.randint(0, 3),
        "clkout1div1": lambda: rng.randint(1, 5), "clkout1div2": lambda: rng.choice(AHB),
        "clkout1pinselect": lambda: rng.randint(0, 2), "clkout2": lambda: rng.randint(0, 7),
        "clkout2div1": lambda: rng.randint(1, 5), "clkout2div2": lambda: rng.choice(AHB),
        "clkout2pinselect": lambda: rng.randint(0, 1),
    }
    for name in SERIES[series]:
        value = str(pick.get(name, lambda: 0)())
        if not valid and rng.random() < 0.04:
            value = rng.choice(ODD)
        values[name] = value
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', "<Configuration>", "    <MCU>%s</MCU>" % series]
    lines += ["    <%s>%s</%s>" % (k, v, k) for k, v in values.items()]
    lines.append("</Configuration>")
    return "\n".join(lines) + "\n"


SET_EDITS = ["hext=%g" % float(h) for h in HEXTS] + ["hextdiv=%d" % d for d in (3, 4, 5)] + [
    "pllhextdiv=1", "pllhextdiv=0", "pllrcs=0", "sclkselect=1", "ahbdiv=2"]


def edited_crystal(path):
    """The hext element of a saved design, or "-" when nothing was saved."""
    if not os.path.exists(path):
        return "-"
    with open(path) as f:
        found = re.search(r"<hext>([^<]*)</hext>", f.read())
    return found.group(1) if found else "?"


def run(cli, args):
    proc = subprocess.run([cli] + args, capture_output=True, text=True)
    return "exit %d\n%s%s" % (proc.returncode, proc.stdout, proc.stderr)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--count", type=int, default=150)
    parser.add_argument("--seed", type=int, default=20261206)
    parser.add_argument("--valid", action="store_true")
    parser.add_argument("--generate-only", action="store_true",
                        help="only run generate (for comparisons where show/check output changed)")
    args = parser.parse_args()
    series_elements(args.cli)
    rng = random.Random(args.seed)
    edits = random.Random(args.seed + 1)
    out = sys.stdout
    with tempfile.TemporaryDirectory() as scratch:
        for series in SERIES:
            if not args.generate_only:
                out.write("== new %s\n%s" % (series, run(args.cli, ["new", series])))
            for i in range(args.count):
                path = os.path.join(scratch, "d.TFCC")
                with open(path, "w") as f:
                    f.write(design(rng, series, args.valid))
                out.write("== %s #%d\n" % (series, i))
                if not args.generate_only:
                    out.write(run(args.cli, ["show", path, "--json"]))
                    out.write(run(args.cli, ["check", path]))
                    saved = os.path.join(scratch, "set.TFCC")
                    if os.path.exists(saved):
                        os.remove(saved)
                    edit = edits.sample(SET_EDITS, 2)
                    answer = run(args.cli, ["set", path] + edit + ["-o", saved, "--yes"])
                    out.write(answer.replace(scratch, "SCRATCH"))
                    out.write("saved hext %s\n" % edited_crystal(saved))
                target = os.path.join(scratch, "%s-%d" % (series, i))
                out.write(run(args.cli, ["generate", path, target, "--force"]))
                for root, _dirs, files in sorted(os.walk(target)):
                    for name in sorted(files):
                        with open(os.path.join(root, name), "rb") as f:
                            digest = hashlib.sha256(f.read()).hexdigest()
                        out.write("%s %s\n" % (os.path.relpath(os.path.join(root, name), target), digest))


if __name__ == "__main__":
    main()
