#!/usr/bin/env python3
"""Prints the blit benchmark as a table of rates and ratios to its two baselines.

Usage: blit_bench --benchmark_repetitions=5 --benchmark_format=json | blit_table.py
The best repetition of each benchmark counts, as other work on the machine only slows runs down.
"""
import json
import re
import sys

DEPTH = re.compile(r"(\d+)$")


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
    for name, rate in best.items():
        kernel, frame = name.split("/")
        if kernel.startswith(("Plain", "Memcpy")):
            continue
        plain = best[f"Plain{kernel}/{frame}"]
        memcpy = best[f"Memcpy{DEPTH.search(kernel).group(1)}/{frame}"]
        print(f"| {kernel:<16} | {frame:<7} | {rate / 1e9:>7.2f} G | {rate / plain:>7.2f} | {rate / memcpy:>8.2f} |")


if __name__ == "__main__":
    main()
