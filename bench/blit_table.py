#!/usr/bin/env python3
"""Prints the blit benchmark as a table of rates and ratios to its two baselines.

Usage: blit_bench --benchmark_repetitions=15 --benchmark_enable_random_interleaving=true \
           --benchmark_format=json | blit_table.py
The best repetition of each benchmark counts, as other work on the machine only slows runs down;
interleaving spreads such work evenly over the kernels and their baselines.
"""
import json
import re
import sys

DEPTH = re.compile(r"(\d+)$")


def order(name):
    """Smaller frames first, then keyed, mirrored and opaque kernels by depth."""
    kernel, frame = name.split("/")
    width, height = map(int, frame.split("x"))
    depth = int(DEPTH.search(kernel).group(1))
    return width * height, kernel.startswith("Opaque"), kernel.startswith("KeyedMirrored"), depth


def main():
    runs = json.load(sys.stdin)["benchmarks"]
    best = {}
    for run in runs:
        if run.get("run_type") == "aggregate":
            continue
        name = run["run_name"]
        best[name] = max(best.get(name, 0.0), run["items_per_second"])
    print(f"| {'kernel':<16} | {'frame':<7} | {'pixels/s':>9} | {'x plain':>7} | {'x memcpy':>8} |")
    print(f"|{'-' * 18}|{'-' * 9}|{'-' * 11}|{'-' * 9}|{'-' * 10}|")
    kernels = [name for name in best if not name.startswith(("Plain", "Memcpy"))]
    for name in sorted(kernels, key=order):
        rate = best[name]
        kernel, frame = name.split("/")
        plain = best[f"Plain{kernel}/{frame}"]
        memcpy = best[f"Memcpy{DEPTH.search(kernel).group(1)}/{frame}"]
        print(f"| {kernel:<16} | {frame:<7} | {rate / 1e9:>7.2f} G | {rate / plain:>7.2f} | {rate / memcpy:>8.2f} |")


if __name__ == "__main__":
    main()
