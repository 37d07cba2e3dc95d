#!/bin/bash
# One frame log and one sound log per entry point of the action cycle, drawn by lomlom-render for a
# screen: OUT_DIR/frames-ACTION.txt and OUT_DIR/sounds-ACTION.txt. The seed decides which action comes
# first, so seeds are tried until all five have one. Prints the seeds.
# usage: render-entry-logs.sh RENDER OUT_DIR WIDTHxHEIGHT BITS TICKS
set -u
render=$1 out=$2 size=$3 bits=$4 ticks=$5
declare -A seed_of=()
for ((seed = 0; seed < 64 && ${#seed_of[@]} < 5; seed++)); do
  "$render" saving --size "$size" --depth "$bits" --seed "$seed" --ticks 1 --frame-log "$out/probe.txt" ||
    { echo "lomlom-render failed" >&2; exit 1; }
  first=$(awk '!/^#/ {print $3}' "$out/probe.txt")
  [[ -z "${seed_of[$first]:-}" ]] && seed_of[$first]=$seed
done
((${#seed_of[@]} == 5)) || { echo "found seeds for only ${#seed_of[@]} entry points" >&2; exit 1; }
for action in "${!seed_of[@]}"; do
  "$render" saving --size "$size" --depth "$bits" --seed "${seed_of[$action]}" --ticks "$ticks" \
    --frame-log "$out/frames-$action.txt" --sound-log "$out/sounds-$action.txt" ||
    { echo "lomlom-render failed for the entry point $action" >&2; exit 1; }
done
echo "${seed_of[*]}"
