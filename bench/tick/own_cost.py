#!/usr/bin/env python3
"""The saver's own instructions in a callgrind dump whose collection started inside the saver.

Every function is put in one of three kinds by the source file callgrind names for it: the saver
(a file under one of the saver's folders), the headless machine (a file under headless/), or shared
code (the C and C++ runtimes, the standard library's templates, anything else), which counts for
whichever kind called it. The dump also lists the call chain that led into the collected region;
only the calls made below ENTRY_FUNCTION count. Since each call edge carries the inclusive cost of
the call,

    own = cost entering ENTRY_FUNCTION - sum(saver -> headless edges) + sum(headless -> saver edges)

Calls that reach the saver or the headless machine through shared code would escape this sum; they
are counted and reported, and make the script fail, so the figure is never silently wrong.

usage: own_cost.py DUMP ENTRY_FUNCTION
Prints key=value lines: collected (everything below the entry), headless (what of it headless/
spent), own, entry_calls (calls of the entry) and through_shared_code (0 when the split is exact).
"""
import re
import sys

SAVER_FOLDERS = ("host", "app", "sprites", "render", "scene")


def kind_of(path, root):
    if path.startswith(root + "headless/"):
        return "headless"
    for folder in SAVER_FOLDERS:
        if path.startswith(root + folder + "/"):
            return "saver"
    return "shared"


class Dump:
    def __init__(self, lines):
        self.names = {"fl": {}, "fn": {}}
        self.files_of = {}  # function -> the files callgrind names for it
        self.edges = {}  # (caller, callee) -> [calls, inclusive]
        self.read(lines)

    def name(self, kind, text):
        # "(id) name" defines a compressed name, "(id)" uses one, a plain name has no id.
        match = re.match(r"\((\d+)\)(?: (.*))?$", text)
        if not match:
            return text
        table = self.names["fl" if kind in ("fl", "fi", "fe", "cfl", "cfi") else "fn"]
        if match.group(2) is not None:
            table[match.group(1)] = match.group(2)
        return table[match.group(1)]

    def read(self, lines):
        file = function = callee = callee_file = None
        pending_calls = None
        for line in lines:
            line = line.rstrip("\n")
            key, _, rest = line.partition("=")
            if key in ("fl", "fi", "fe", "fn", "cfl", "cfi", "cfn"):
                name = self.name(key, rest)
                if key == "fl":
                    file = name
                elif key == "fn":
                    function = name
                    self.files_of.setdefault(function, set()).add(file)
                    callee_file = None
                elif key in ("cfl", "cfi"):
                    callee_file = name
                elif key == "cfn":
                    callee = name
                    if callee_file:
                        self.files_of.setdefault(callee, set()).add(callee_file)
                continue
            if key == "calls":
                pending_calls = int(rest.split()[0])
                continue
            if not line or not (line[0].isdigit() or line[0] in "+-*"):
                continue
            cost = line.split()
            value = int(cost[1]) if len(cost) > 1 else 0
            if pending_calls is not None:
                edge = self.edges.setdefault((function, callee), [0, 0])
                edge[0] += pending_calls
                edge[1] += value
                pending_calls = None
                callee_file = None


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    path, entry = sys.argv[1], sys.argv[2]
    with open(path, encoding="utf-8", errors="replace") as dump_file:
        dump = Dump(dump_file)
    files = set().union(*dump.files_of.values())
    root = next((f[: f.index("headless/")] for f in files if f and "/headless/src/" in f), None)
    if root is None:
        sys.exit("own_cost.py: no function of headless/ in the dump (built without debug information?)")

    def kind(function):
        kinds = {kind_of(f or "", root) for f in dump.files_of.get(function, {""})}
        if len(kinds) != 1:
            sys.exit(f"own_cost.py: {function} names functions of several kinds: {sorted(kinds)}")
        return kinds.pop()

    entry_name = next((f for f in dump.files_of if f.startswith(entry + "(")), None)
    if entry_name is None or kind(entry_name) != "saver":
        sys.exit(f"own_cost.py: {entry} is not a saver function in {path}")
    callees = {}
    for caller, callee in dump.edges:
        callees.setdefault(caller, set()).add(callee)
    below = {entry_name}
    stack = [entry_name]
    while stack:
        for callee in callees.get(stack.pop(), ()):
            if callee not in below:
                below.add(callee)
                stack.append(callee)

    collected = leaving = entering = escaped = calls = 0
    for (caller, callee), (count, inclusive) in dump.edges.items():
        if caller not in below:
            if callee == entry_name:
                collected += inclusive
                calls += count
            continue
        pair = (kind(caller), kind(callee))
        if pair == ("saver", "headless"):
            leaving += inclusive
        elif pair == ("headless", "saver"):
            entering += inclusive
        elif pair[0] == "shared" and pair[1] != "shared":
            escaped += inclusive
    own = collected - leaving + entering
    print(f"collected={collected}")
    print(f"headless={leaving - entering}")
    print(f"own={own}")
    print(f"entry_calls={calls}")
    print(f"through_shared_code={escaped}")
    if escaped:
        sys.exit("own_cost.py: shared code calls into the saver or headless/; the split above is not exact")


if __name__ == "__main__":
    main()
