#!/usr/bin/env bash
# Instructions per tick in the saver's own code over one whole cycle of the choreography (536 ticks)
# from each of its five entry points, and their average, for each row: 1920x1080 at 96 DPI (the
# picture at 1:1) and 3840x2160 at 192 DPI (each pixel shown as a 2x2 square), both at 32 bits.
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
# usage: bench/tick/count.sh [TICKS]   (536 by default)
# Exits 1 when the first row's average exceeds LIMIT (150000 unless set in the environment), or a
# scaled row's exceeds SCALED_LIMIT (2.5) times it: scaling copies only what changed.
set -euo pipefail
cd "$(dirname "$0")/../.."

ticks=${1:-536}
limit=${LIMIT:-150000}
scaled_limit=${SCALED_LIMIT:-2.5}
# Each row: screen, bits per pixel, DPI.
rows=("1920x1080 32 96" "3840x2160 32 192")

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
  entry=$("$program" "$seed" 0 | sed -n 's/.* entry=\([0-9]*\) .*/\1/p')
  [[ -n "$entry" && -z "${seed_of[$entry]:-}" ]] && seed_of[$entry]=$seed
done
((${#seed_of[@]} == 5)) || { echo "FAIL: found only ${#seed_of[@]} entry points" >&2; exit 1; }

# row_average SIZE BITS DPI: prints each entry point's figures; ROW_AVERAGE is their average.
row_average() {
  local size=$1 bits=$2 dpi=$3 total=0 entry seed name out dump own calls
  printf '%-6s %-5s %14s %14s %12s   %s at %s DPI\n' entry seed collected own own/tick "${size}x$bits" "$dpi"
  for entry in $(printf '%s\n' "${!seed_of[@]}" | sort -n); do
    seed=${seed_of[$entry]}
    name=$work/$size-$dpi-entry-$entry
    out=$name.out
    valgrind --tool=callgrind --collect-atstart=no --toggle-collect='HostWindowProc*' \
      --callgrind-out-file="$out" "$program" "$seed" "$ticks" "$size" "$bits" "$dpi" >"$name.log" 2>&1 ||
      { echo "FAIL: the run from entry $entry failed, see $name.log" >&2; exit 1; }
    dump=$(ls "$out".* | head -n 1)
    python3 bench/tick/own_cost.py "$dump" HostWindowProc >"$name.cost"
    own=$(sed -n 's/^own=//p' "$name.cost")
    calls=$(sed -n 's/^entry_calls=//p' "$name.cost")
    ((calls == ticks)) ||
      { echo "FAIL: $calls messages reached HostWindowProc in $ticks ticks (entry $entry)" >&2; exit 1; }
    printf '%-6s %-5s %14s %14s %12s\n' "$entry" "$seed" "$(sed -n 's/^collected=//p' "$name.cost")" "$own" \
      $((own / ticks))
    total=$((total + own))
  done
  ROW_AVERAGE=$((total / (5 * ticks)))
}

failed=0
first=
for row in "${rows[@]}"; do
  read -r size bits dpi <<<"$row"
  row_average "$size" "$bits" "$dpi"
  if [[ -z "$first" ]]; then
    first=$ROW_AVERAGE
    echo "instructions per tick in the saver's own code, average over the five entry points: $first (limit $limit)"
    ((first <= limit)) || failed=1
  else
    ratio=$(awk -v r="$ROW_AVERAGE" -v f="$first" 'BEGIN { printf "%.2f", r / f }')
    echo "instructions per tick at ${size}x$bits, $dpi DPI: $ROW_AVERAGE, $ratio times the first row's (limit $scaled_limit)"
    awk -v r="$ratio" -v l="$scaled_limit" 'BEGIN { exit !(r <= l) }' || failed=1
  fi
done
echo "callgrind dumps in $work (callgrind_annotate --inclusive=yes FILE)"
((failed == 0))
