#!/usr/bin/env python3
"""Fails when a source file includes a header of a library it does not link.

The build writes, for each library of the project, the folders it is built
from and the include directories it compiles with (LAYERS_DIR/<target>.txt,
written by cmake/QuendralTargets.cmake from the targets' declared links).
A file may include the headers of its own library's folders and of the
libraries whose include folders it sees, nothing else: an include of a
sibling's folder (dxl -> batch) or of a layer above fails here, as it fails
to compile.

    check-layers.py BUILD_DIR [TREE]

TREE is the source tree to check (default: the one BUILD_DIR was
configured from); its files are found by their paths relative to it.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def read_layers(layers_dir):
    """{target: (own folders, include directories)} as the build wrote them."""
    layers = {}
    for entry in sorted(os.listdir(layers_dir)):
        if not entry.endswith(".txt"):
            continue
        fields = {}
        with open(os.path.join(layers_dir, entry), encoding="utf-8") as text:
            for line in text:
                key, _, value = line.rstrip("\n").partition(" ")
                fields[key] = [item for item in value.split(";") if item]
        layers[entry[:-4]] = (fields.get("folders", []), fields.get("sees", []))
    return layers


def allowed_folders(layers, include_root):
    """{folder: (target, folders its files may include)}."""
    owners = {}
    for target, (folders, _) in layers.items():
        for folder in folders:
            owners[folder] = target
    allowed = {}
    for target, (folders, seen) in layers.items():
        reach = set(folders)
        for directory in seen:
            relative = os.path.relpath(directory, include_root)
            if relative.startswith(".."):
                continue  # a system or third-party directory
            linked = relative.split(os.sep)[0]
            reach.update(layers.get(linked, ([], []))[0])
        for folder in folders:
            allowed[folder] = (target, reach)
    return owners, allowed


def check(tree, owners, allowed):
    faults = []
    for folder, (target, reach) in sorted(allowed.items()):
        path = os.path.join(tree, folder)
        if not os.path.isdir(path):
            continue
        for name in sorted(os.listdir(path)):
            if not name.endswith((".h", ".cc")):
                continue
            with open(os.path.join(path, name), encoding="utf-8") as source:
                for number, line in enumerate(source, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    included = os.path.dirname(match.group(1))
                    owner = owners.get(included)
                    if owner is not None and included not in reach:
                        faults.append(f"{folder}/{name}:{number}: includes {match.group(1)}, "
                                      f"but {target} does not link {owner}")
    return faults


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    build = os.path.abspath(argv[1])
    layers_dir = os.path.join(build, "layers")
    if not os.path.isdir(layers_dir):
        print(f"check-layers: {layers_dir} is missing: configure the build first", file=sys.stderr)
        return 2
    layers = read_layers(layers_dir)
    tree = argv[2] if len(argv) == 3 else None
    if tree is None:
        with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as cache:
            for line in cache:
                if line.startswith("CMAKE_HOME_DIRECTORY:"):
                    tree = line.split("=", 1)[1].strip()
    owners, allowed = allowed_folders(layers, os.path.join(build, "include-of"))
    faults = check(tree, owners, allowed)
    for fault in faults:
        print(fault)
    if faults:
        print("check-layers: the includes above reach a library their own does not link",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
