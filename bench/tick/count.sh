#!/usr/bin/env bash
# Instructions per tick in the saver's own code, at 1920x1080 and 32 bits, over one whole cycle of
# the choreography (536 ticks) from each of its five entry points, and their average.
#
# Method: saver_ticks runs the real saver's saving mode with its real resources on the headless
# machine, built in the bench preset (optimised as the shipped saver, no sanitizers) with debug
# information, which changes no generated code but names each function's source file. Callgrind
# collects only inside HostWindowProc (--toggle-collect), the saver window's procedure that every
# message, here every WM_TIMER tick, enters; the program zeroes the counters after creation and the
# first tick and dumps them after 536 more ticks, before the key that ends the saver. own_cost.py
# then takes away everything the saver's code spent inside headless/ (the Win32 subset that stands
# in for Windows): the inclusive cost of every call from a saver function into a headless/ function,
# less that of calls from headless/ back into the saver. The C runtime and standard library count
# for whoever called them, so the saver's own memset and memcpy are in its figure.
#
# usage: bench/tick/count.sh [TICKS [WIDTHxHEIGHT [BITS]]]   (536, 1920x1080, 32 by default)
# Exits 1 when the average exceeds LIMIT (150000 unless set in the environment).
set -euo pipefail
cd "$(dirname "$0")/../.."

ticks=${1:-536}
size=${2:-1920x1080}
bits=${3:-32}
limit=${LIMIT:-150000}

bash scripts/setup.sh
cmake --preset bench -DCMAKE_CXX_FLAGS=-g >/dev/null
cmake --build --preset bench -j 2 --target saver_ticks
program=build/bench/bench/tick/saver_ticks
work=build/bench/bench/tick/callgrind
rm -rf "$work"
mkdir -p "$work"

# One seed per entry point: the first action tells which one a seed gives.
declare -A seed_of=()
for ((seed = 0; seed < 200 && ${#seed_of[@]} < 5; seed++)); do
  entry=$("$program" "$seed" 0 "$size" "$bits" | sed -n 's/.* entry=\([0-9]*\) .*/\1/p')
  [[ -n "$entry" && -z "${seed_of[$entry]:-}" ]] && seed_of[$entry]=$seed
done
((${#seed_of[@]} == 5)) || { echo "FAIL: found only ${#seed_of[@]} entry points" >&2; exit 1; }

total=0
printf '%-6s %-5s %14s %14s %12s\n' entry seed collected own own/tick
for entry in $(printf '%s\n' "${!seed_of[@]}" | sort -n); do
  seed=${seed_of[$entry]}
  out=$work/entry-$entry.out
  valgrind --tool=callgrind --collect-atstart=no --toggle-collect='HostWindowProc*' \
    --callgrind-out-file="$out" "$program" "$seed" "$ticks" "$size" "$bits" >"$work/entry-$entry.log" 2>&1 ||
    { echo "FAIL: the run from entry $entry failed, see $work/entry-$entry.log" >&2; exit 1; }
  dump=$(ls "$out".* | head -n 1)
  python3 bench/tick/own_cost.py "$dump" HostWindowProc >"$work/entry-$entry.cost"
  own=$(sed -n 's/^own=//p' "$work/entry-$entry.cost")
  calls=$(sed -n 's/^entry_calls=//p' "$work/entry-$entry.cost")
  ((calls == ticks)) ||
    { echo "FAIL: $calls messages reached HostWindowProc in $ticks ticks (entry $entry)" >&2; exit 1; }
  printf '%-6s %-5s %14s %14s %12s\n' "$entry" "$seed" "$(sed -n 's/^collected=//p' "$work/entry-$entry.cost")" \
    "$own" $((own / ticks))
  total=$((total + own))
done
average=$((total / (5 * ticks)))
echo "instructions per tick in the saver's own code, average over the five entry points: $average (limit $limit)"
echo "callgrind dumps in $work (callgrind_annotate --inclusive=yes FILE)"
((average <= limit))
