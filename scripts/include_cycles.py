#!/usr/bin/env python3
"""Lists the core folders that include each other's headers.

A folder that includes a header of another folder depends on it. Two folders
that depend on each other, directly or over others, can no longer be read,
tested or changed one at a time, so a new circle fails the build's tests.

Usage: include_cycles.py [source-root]
Prints every pair that includes each other, with one include of each way,
then every longer circle; exits 1 when there is any.
"""
import os
import re
import sys

CORE_FOLDERS = ("setup", "values", "actions", "dialogs", "log", "fileinfo",
                "resources", "common", "check", "setupengine")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def owning_folder(root, including_file, name):
    """The core folder an include names, or None for platform and the rest."""
    first = name.split("/")[0]
    if "/" in name:
        return first if first in CORE_FOLDERS else None
    # A bare name is found beside the includer or on the resources path.
    if os.path.exists(os.path.join(os.path.dirname(including_file), name)):
        return os.path.relpath(including_file, root).split(os.sep)[0]
    if os.path.exists(os.path.join(root, "resources", name)):
        return "resources"
    return None


def folder_edges(root):
    """{(from, to): "file: include"} for every include across core folders."""
    edges = {}
    for folder in CORE_FOLDERS:
        base = os.path.join(root, folder)
        if not os.path.isdir(base):
            continue
        for name in sorted(os.listdir(base)):
            if not name.endswith((".h", ".cpp", ".rc")):
                continue
            path = os.path.join(base, name)
            with open(path, encoding="utf-8", errors="replace") as source:
                for line in source:
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    target = owning_folder(root, path, match.group(1))
                    if target and target != folder:
                        edges.setdefault((folder, target),
                                         f"{folder}/{name}: {match.group(1)}")
    return edges


def mutual_pairs(edges):
    return sorted((a, b) for (a, b) in edges if a < b and (b, a) in edges)


def longer_circles(edges):
    """Strongly connected groups of three or more folders, each once."""
    graph = {}
    for a, b in edges:
        graph.setdefault(a, set()).add(b)

    def reachable(start):
        seen, todo = set(), [start]
        while todo:
            for nxt in graph.get(todo.pop(), ()):
                if nxt not in seen:
                    seen.add(nxt)
                    todo.append(nxt)
        return seen

    reach = {folder: reachable(folder) for folder in CORE_FOLDERS}
    groups = set()
    for folder in CORE_FOLDERS:
        group = frozenset(f for f in reach[folder] if folder in reach[f])
        if len(group) >= 3:
            groups.add(tuple(sorted(group)))
    return sorted(groups)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..")
    edges = folder_edges(root)
    pairs = mutual_pairs(edges)
    for a, b in pairs:
        print(f"{a} <-> {b}")
        print(f"  {edges[(a, b)]}")
        print(f"  {edges[(b, a)]}")
    circles = longer_circles(edges)
    for group in circles:
        print("circle: " + " ".join(group))
    print(f"{len(pairs)} pairs, {len(circles)} longer circles")
    return 1 if pairs or circles else 0


if __name__ == "__main__":
    sys.exit(main())
