#!/usr/bin/env python3
"""Checks every #include of the source tree against the layers of layers.txt.

Usage: check-layers.py [SOURCE_ROOT]   (default: the folder above this script)
Prints each include that a file's folder may not use, and exits 1 when there is one; a source
file in no folder of the table is an error too, so that a new folder gets its line.
"""
import os
import re
import sys

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".c", ".mm", ".h.in")
GENERATED = {"quorvane_version.h": "core/version.h.in"}  # generated header: its source
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^Q[A-Za-z]|^qt")


def read_table(path):
    table = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            words = line.split("#", 1)[0].split()
            if not words:
                continue
            if words[0] in table:
                sys.exit(f"{path}:{number}: {words[0]} is in the table twice")
            table[words[0]] = set(words[1:])
    return table


def layer_of(path, table):
    """The longest folder of the table that holds `path`, or None."""
    best = None
    for folder in table:
        if path.startswith(folder + "/") and (best is None or len(folder) > len(best)):
            best = folder
    return best


def source_files(root):
    for folder, dirs, files in os.walk(root):
        rel = os.path.relpath(folder, root)
        dirs[:] = sorted(d for d in dirs if not d.startswith((".", "build")))
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.normpath(os.path.join(rel, name)).replace(os.sep, "/")


def allowed(header, kind, allowed_set, table):
    if "*" in allowed_set:
        return True
    if kind == "<":
        # System and library headers; of those, only Qt's are a layer's concern.
        return not QT_HEADER.match(header) or "Qt" in allowed_set
    header = GENERATED.get(header, header)
    if header in allowed_set:
        return True
    return layer_of(header, table) in allowed_set


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    table_path = os.path.join(root, "layers.txt")
    table = read_table(table_path)
    faults = []
    checked = 0
    for path in source_files(root):
        layer = layer_of(path, table)
        if layer is None:
            if "/" in path:  # files at the top are no layer's
                faults.append(f"{path}: in no folder of layers.txt")
            continue
        allowed_set = table[layer]
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                checked += 1
                kind, header = m.groups()
                if kind == '"' and layer_of(GENERATED.get(header, header), table) is None \
                        and header not in GENERATED and "*" not in allowed_set:
                    faults.append(f"{path}:{number}: #include \"{header}\" names no folder of layers.txt")
                elif not allowed(header, kind, allowed_set, table):
                    what = "Qt" if kind == "<" else layer_of(GENERATED.get(header, header), table) + "/"
                    faults.append(f"{path}:{number}: {layer}/ may not include {kind}{header}"
                                  f"{'>' if kind == '<' else chr(34)} (of {what}; layers.txt)")
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) cross the layers of layers.txt")
        return 1
    print(f"{checked} includes follow the layers of layers.txt")
    return 0


if __name__ == "__main__":
    sys.exit(main())
