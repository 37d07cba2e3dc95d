#!/bin/bash
# The entry points of the action cycle by the first sound each plays: one line "SOUND SEED" for each
# of the five, SEED being a lomlom-render seed that enters there. The first seconds of a run may go
# unseen on a loaded machine, but the first sound Wine traces tells where the saver entered.
# usage: entry-sounds.sh RENDER WORK_DIR WIDTHxHEIGHT BITS
set -u
render=$1 work=$2 size=$3 bits=$4
# The latest first sound of any entry point is its 73rd update.
first_sound_ticks=80
declare -A seed_of=() seed_of_sound=()
for ((seed = 0; seed < 64 && ${#seed_of[@]} < 5; seed++)); do
  "$render" saving --size "$size" --depth "$bits" --seed "$seed" --ticks 1 --frame-log "$work/probe.txt" || exit 1
  first=$(awk '!/^#/ {print $3}' "$work/probe.txt")
  [[ -n "${seed_of[$first]:-}" ]] && continue
  seed_of[$first]=$seed
  "$render" saving --size "$size" --depth "$bits" --seed "$seed" --ticks "$first_sound_ticks" \
    --sound-log "$work/probe-sounds.txt" || exit 1
  seed_of_sound[$(awk '!/^#/ && $2 != "NULL" {print $2; exit}' "$work/probe-sounds.txt")]=$seed
done
((${#seed_of_sound[@]} == 5)) || { echo "the five entry points do not begin with five different sounds" >&2; exit 1; }
for sound in "${!seed_of_sound[@]}"; do
  echo "$sound ${seed_of_sound[$sound]}"
done
