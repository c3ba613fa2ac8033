#!/usr/bin/env python3
"""The folders of the product and which import which.

Reads the #include "..." lines of every product source, finds the folder of
each included header (headers are included by their file name) and prints one
line per arrow between folders with the number of includes behind it:

    cli -> model 12

--dot prints the same graph for graphviz (dot -Tsvg). --check prints the
breaches and exits with 1 when the command-line tool's folder imports from a
folder that holds widgets, or when folders import each other in a circle.
"""

import argparse
import os
import re
import sys

# The product's top folders; a subfolder is a folder of its own.
PRODUCT = ["app", "cli", "codegen", "core", "model", "review", "series",
           "update", "widgets", "workspace"]
# Folders whose code is widgets; cli/ must import none of them.
WIDGET_FOLDERS = ["app", "series", "update/window", "widgets", "workspace"]
HEADLESS_TOOL = "cli"

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE = re.compile(r"\.(h|hpp|cpp|cc|c)$")


def product_sources(root):
    for top in PRODUCT:
        base = os.path.join(root, top)
        for folder, dirs, files in os.walk(base):
            dirs.sort()
            for name in sorted(files):
                if SOURCE.search(name):
                    path = os.path.join(folder, name)
                    yield os.path.relpath(path, root).replace(os.sep, "/")


def folder_of(path):
    return path.rsplit("/", 1)[0]


def read_graph(root):
    """Returns {(from, to): count} over distinct folders, and the sources."""
    sources = list(product_sources(root))
    home = {}
    for path in sources:
        home.setdefault(path.rsplit("/", 1)[1], folder_of(path))
    edges = {}
    for path in sources:
        here = folder_of(path)
        with open(os.path.join(root, path), encoding="utf-8") as f:
            for line in f:
                m = INCLUDE.match(line)
                if not m:
                    continue
                there = home.get(m.group(1).rsplit("/", 1)[-1])
                if there is None or there == here:
                    continue  # generated or foreign header, or the same folder
                edges[(here, there)] = edges.get((here, there), 0) + 1
    return edges


def circles(edges):
    """The strongly connected components of more than one folder (Tarjan)."""
    nodes = sorted({n for e in edges for n in e})
    succ = {n: sorted(t for (f, t) in edges if f == n) for n in nodes}
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(n):
        index[n] = low[n] = len(index)
        stack.append(n)
        on_stack.add(n)
        for m in succ[n]:
            if m not in index:
                visit(m)
                low[n] = min(low[n], low[m])
            elif m in on_stack:
                low[n] = min(low[n], index[m])
        if low[n] == index[n]:
            part = []
            while True:
                m = stack.pop()
                on_stack.discard(m)
                part.append(m)
                if m == n:
                    break
            if len(part) > 1:
                found.append(sorted(part))

    for n in nodes:
        if n not in index:
            visit(n)
    return sorted(found)


def is_widget_folder(folder):
    return any(folder == w or folder.startswith(w + "/") for w in WIDGET_FOLDERS)


def breaches(edges):
    found = []
    for (here, there), count in sorted(edges.items()):
        if (here == HEADLESS_TOOL or here.startswith(HEADLESS_TOOL + "/")) \
                and is_widget_folder(there):
            found.append("%s imports from %s (a folder with widgets), %d includes"
                         % (here, there, count))
    for part in circles(edges):
        found.append("circle between folders: " + " <-> ".join(part))
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(__file__), "..", ".."),
                        help="the repository (default: this script's)")
    parser.add_argument("--dot", action="store_true", help="print a graphviz graph")
    parser.add_argument("--check", action="store_true",
                        help="exit 1 on an import from cli/ into a widget folder or a circle")
    args = parser.parse_args()

    edges = read_graph(os.path.abspath(args.root))
    if args.dot:
        print("digraph folders {")
        print("  node [shape=box];")
        for (here, there), count in sorted(edges.items()):
            print('  "%s" -> "%s" [label="%d"];' % (here, there, count))
        print("}")
    else:
        for (here, there), count in sorted(edges.items()):
            print("%s -> %s %d" % (here, there, count))

    if args.check:
        found = breaches(edges)
        for line in found:
            print("error: " + line, file=sys.stderr)
        return 1 if found else 0
    return 0


if __name__ == "__main__":
    sys.exit(main())
