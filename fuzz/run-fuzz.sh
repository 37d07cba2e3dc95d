#!/usr/bin/env bash
# Builds the sprite-walk fuzz target with clang's libFuzzer and runs it for a bounded time, seeded
# with small made-up resources and, when they exist, the generated logos and placement resources.
#
#   fuzz/run-fuzz.sh <seconds> [work folder] [asset folder]
#
# Prints the executions, the time and the findings; exits non-zero when anything was found.
set -euo pipefail
seconds=${1:?usage: run-fuzz.sh <seconds> [work folder] [asset folder]}
repo=$(cd "$(dirname "$0")/.." && pwd)
work=${2:-$repo/build/fuzz}
assets=${3:-$repo/build/native/assets}

if ! command -v clang++ >/dev/null; then
  echo "run-fuzz: clang++ is missing; install the Debian packages clang and libclang-rt-14-dev" >&2
  exit 2
fi
mkdir -p "$work/seeds" "$work/corpus" "$work/findings"
target="$work/sprite_walk_fuzz"
if ! clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -Wall -Wextra -Werror -I"$repo" -I"$repo/headless/include" \
    "$repo/fuzz/sprite_walk_fuzz.cpp" "$repo/fuzz/resource_shim.cpp" \
    "$repo/sprites/sprite_formats.cpp" "$repo/sprites/frame_list.cpp" \
    "$repo/sprites/placement_list.cpp" "$repo/sprites/module_resource.cpp" -o "$target"; then
  echo "run-fuzz: building the target failed; libFuzzer's runtime comes with libclang-rt-14-dev" >&2
  exit 2
fi

python3 "$repo/fuzz/make_seeds.py" "$work/seeds"
if [ -d "$assets" ]; then
  cp "$assets"/IDR_SPBMP_LOGO*.bin "$assets"/IDR_SPBMPDATA_*.bin "$work/seeds/" 2>/dev/null || true
  cat "$assets/IDR_SPBMP_LOGOJOY.bin" "$assets/IDR_SPBMP_LOGOSLEEPY.bin" >"$work/seeds/two-logos" 2>/dev/null || true
fi

rm -f "$work/findings"/*
log="$work/last-run.log"
status=0
started=$SECONDS
"$target" -max_total_time="$seconds" -max_len=16384 -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$work/findings/" "$work/corpus" "$work/seeds" >"$log" 2>&1 || status=$?

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
findings=$(find "$work/findings" -type f | wc -l)
echo "fuzz: ${executions:-0} executions in $((SECONDS - started)) s, corpus $(ls "$work/corpus" | wc -l) inputs, $findings findings"
if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
  tail -40 "$log"
  ls "$work/findings"
  exit 1
fi
