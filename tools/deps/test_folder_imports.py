#!/usr/bin/env python3
"""Cases of folder_imports.py --check on small trees made for each case."""

import os
import subprocess
import sys
import tempfile

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "folder_imports.py")

# (name, {file: includes}, expected exit status, expected text on stdout, on stderr)
CASES = [
    ("headless imports only",
     {"cli/Cmd.cpp": ["Doc.h", "Gen.h"], "model/Doc.h": [], "codegen/Gen.h": ["Doc.h"],
      "series/View.h": ["Doc.h"]},
     0, "cli -> codegen 1\ncli -> model 1\ncodegen -> model 1\nseries -> model 1\n", ""),
    ("cli imports a series header",
     {"cli/Cmd.cpp": ["Doc.h", "View.h"], "model/Doc.h": [], "series/View.h": ["Doc.h"]},
     1, None, "error: cli imports from series (a folder with widgets), 1 includes\n"),
    ("cli imports the update window's side",
     {"cli/Cmd.cpp": ["Check.h"], "update/window/Check.h": ["Service.h"], "update/Service.h": []},
     1, None, "error: cli imports from update/window (a folder with widgets), 1 includes\n"),
    ("cli imports the headless update service",
     {"cli/Cmd.cpp": ["Service.h"], "update/window/Check.h": ["Service.h"], "update/Service.h": []},
     0, None, ""),
    ("a circle of three folders",
     {"model/Doc.cpp": ["Gen.h"], "model/Doc.h": [], "codegen/Gen.h": ["Report.h"],
      "review/Report.h": ["Doc.h"]},
     1, None, "error: circle between folders: codegen <-> model <-> review\n"),
    ("includes within a folder and foreign headers",
     {"model/A.cpp": ["A.h", "tf_version.h", "A.moc"], "model/A.h": []},
     0, "", ""),
]


def run_case(files):
    with tempfile.TemporaryDirectory() as root:
        for path, includes in files.items():
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w", encoding="utf-8") as f:
                f.write("".join('#include "%s"\n' % h for h in includes))
                f.write("#include <QString>\n")
        done = subprocess.run([sys.executable, SCRIPT, "--check", "--root", root],
                              capture_output=True, text=True)
        return done.returncode, done.stdout, done.stderr


def main():
    failed = 0
    for name, files, status, out, err in CASES:
        got = run_case(files)
        want = (status, got[1] if out is None else out, err)
        if got != want:
            failed += 1
            print("FAIL %s: got %r, expected %r" % (name, got, want))
    print("%d passed, %d failed" % (len(CASES) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
