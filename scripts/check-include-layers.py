#!/usr/bin/env python3
"""Fails when two folders of the source tree include each other, directly or
round a longer circle.

Every folder holding sources is a node; a quoted include of a path with a
folder ("dsp/Biquad.h") is an edge from the including file's folder to the
included file's. Tests and benchmarks sit above everything and are left out.

    check-include-layers.py SOURCE_DIR
"""
import os
import re
import sys

LEFT_OUT = {"tests", "bench", "build", ".git"}
SOURCE_ENDINGS = (".h", ".cpp")
INCLUDE = re.compile(r'\s*#\s*include\s+"([^"]+/[^"]+)"')


def folder_edges(root):
    """{folder: {included folder: an example 'file includes path'}}"""
    edges = {}
    for here, dirs, files in os.walk(root):
        dirs[:] = sorted(d for d in dirs if not (here == root and d in LEFT_OUT))
        folder = os.path.relpath(here, root)
        for name in sorted(files):
            if not name.endswith(SOURCE_ENDINGS):
                continue
            path = os.path.join(here, name)
            with open(path, encoding="utf-8", errors="replace") as source:
                for line in source:
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    target = os.path.dirname(match.group(1))
                    if target != folder and os.path.isdir(os.path.join(root, target)):
                        example = f"{os.path.join(folder, name)} includes {match.group(1)}"
                        edges.setdefault(folder, {}).setdefault(target, example)
    return edges


def find_circle(edges):
    """One circle of folders as a list that starts and ends with the same one, or None."""
    state = {}  # folder -> "open" while on the path, "done" after

    def visit(folder, path):
        state[folder] = "open"
        path.append(folder)
        for target in sorted(edges.get(folder, {})):
            if state.get(target) == "open":
                return path[path.index(target):] + [target]
            if target not in state:
                circle = visit(target, path)
                if circle:
                    return circle
        path.pop()
        state[folder] = "done"
        return None

    for folder in sorted(edges):
        if folder not in state:
            circle = visit(folder, [])
            if circle:
                return circle
    return None


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        return 2
    root = sys.argv[1]
    edges = folder_edges(root)
    circle = find_circle(edges)
    if circle:
        print("include circle: " + " -> ".join(circle))
        for folder, target in zip(circle, circle[1:]):
            print("  " + edges[folder][target])
        return 1
    for folder in sorted(edges):
        print(f"{folder} -> {', '.join(sorted(edges[folder]))}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
