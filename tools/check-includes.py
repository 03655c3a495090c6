#!/usr/bin/env python3
"""Checks every #include "..." of the tracked sources against tools/layers.txt.

Usage: tools/check-includes.py   (from the repository root)
Prints each include that goes against the table and exits with 1 if any.
"""
import re
import subprocess
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def read_layers(path):
    layers = {}
    for line in open(path, encoding="utf-8"):
        line = line.split("#", 1)[0].strip()
        if line:
            folder, _, below = line.partition(":")
            layers[folder.strip()] = below.split()
    return layers


def owner(path, folders):
    matches = [f for f in folders if path == f or path.startswith(f + "/")]
    return max(matches, key=len) if matches else None


def reachable(layers):
    closure = {}

    def visit(folder, seen):
        if folder in closure:
            return closure[folder]
        if folder in seen:
            sys.exit(f"tools/layers.txt: cycle through {folder}")
        below = set()
        for dep in layers.get(folder, []):
            if dep != "*" and dep not in layers:
                sys.exit(f"tools/layers.txt: {folder} builds on unknown {dep}")
            below.add(dep)
            if dep != "*":
                below |= visit(dep, seen | {folder})
        closure[folder] = below
        return below

    for folder in layers:
        visit(folder, set())
    return closure


def main():
    layers = read_layers("tools/layers.txt")
    closure = reachable(layers)
    files = subprocess.run(["git", "ls-files", "*.cpp", "*.h", "*.rc"], capture_output=True,
                           text=True, check=True).stdout.split()
    faults = []
    for path in files:
        source = owner(path, layers)
        if source is None:
            faults.append(f"{path}: no folder of tools/layers.txt owns it")
            continue
        if "*" in closure[source]:
            continue
        text = open(path, encoding="utf-8", errors="replace").read()
        for included in INCLUDE.findall(text):
            target = owner(included, layers)
            if target is None or target == source or target in closure[source]:
                continue
            faults.append(f"{path}: includes {included} ({source} does not build on {target})")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
