#!/usr/bin/env python3
"""Checks the include layers of the source tree and that no two files
include each other, directly or round a longer cycle.

A folder may include only the folders it builds on (LAYERS). Rule folders
include no Qt header. A "module" is a .h with its .cpp; module A depends on B
when A.h or A.cpp includes B.h. Exits 1 and names every fault."""
import os
import re
import sys

# folder -> folders it may include (besides itself)
RULES = {
    "store/core": [],
    "store/inventory": ["store/core"],
    "store/customers": ["store/core"],
    "store/sales": ["store/core", "store/inventory"],
    "store/reports": ["store/core", "store/inventory", "store/customers", "store/sales"],
    "store/labels": ["store/core", "store/inventory", "store/customers"],
    "store/mail": ["store/core"],
    "analyzer": ["store/core"],
}
# Qt folders: the platform layer, and the screens of each subsystem.
QT = {
    "ui": ["store/core"],
}
for folder, deps in list(RULES.items()):
    QT[folder + "/screens"] = [folder] + deps + ["ui"] + [d + "/screens" for d in deps]
# The store's screens open one another (the menu opens every subsystem).
STORE_SCREENS = [f + "/screens" for f in RULES if f.startswith("store/")]
for s in STORE_SCREENS:
    QT[s] = sorted(set(QT[s] + STORE_SCREENS + [f for f in RULES if f.startswith("store/")]))
QT["store/mail"] = ["store/core"]  # Qt Network, no widgets
ALL = {**RULES, **QT}

INCLUDE = re.compile(r'^\s*#\s*include\s+([<"])([^>"]+)[>"]', re.M)


def folder_of(path):
    d = os.path.dirname(path)
    while d and d not in ALL:
        d = os.path.dirname(d)
    return d or None


def main(root):
    os.chdir(root)
    faults = []
    modules = {}
    for folder in ALL:
        if not os.path.isdir(folder):
            continue
        for name in sorted(os.listdir(folder)):
            if not name.endswith((".h", ".cpp")) or name == "main.cpp":
                continue
            path = f"{folder}/{name}"
            text = open(path, encoding="utf-8", errors="replace").read()
            mod = path.rsplit(".", 1)[0]
            deps = modules.setdefault(mod, set())
            for kind, inc in INCLUDE.findall(text):
                if kind == "<":
                    if folder in RULES and folder != "store/mail" and re.match(r"Q[A-Za-z]", inc):
                        faults.append(f"{path}: rule code includes the Qt header <{inc}>")
                    continue
                target = folder_of(inc)
                if target is None:
                    continue
                if target != folder and target not in ALL[folder]:
                    faults.append(f"{path}: {folder} may not include {inc}")
                dep = inc.rsplit(".", 1)[0]
                if dep != mod:
                    deps.add(dep)
    # cycles between modules (Tarjan's strongly connected components)
    index, low, stack, on, comps = {}, {}, [], set(), []
    counter = [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in modules.get(v, ()):
            if w not in modules:
                continue
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            comp = []
            while True:
                w = stack.pop()
                on.discard(w)
                comp.append(w)
                if w == v:
                    break
            if len(comp) > 1:
                comps.append(sorted(comp))

    sys.setrecursionlimit(10000)
    for v in sorted(modules):
        if v not in index:
            visit(v)
    for comp in comps:
        faults.append("include cycle: " + " <-> ".join(comp))
    for f in faults:
        print(f)
    if not faults:
        print(f"layers: {len(modules)} modules, no wrong include, no cycle")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
