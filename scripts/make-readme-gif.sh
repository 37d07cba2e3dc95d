#!/usr/bin/env bash
# Redraws docs/cycle.gif: one whole cycle of the five actions with their pauses (536 ticks at 110 ms)
# in the 640x480 block, drawn by lomlom-render with the saver's own code. Seed 5 makes the cycle
# start with its first action, the surprise.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native -j 2 --target lomlom-render
build/native/tools/render/lomlom-render saving --size 640x480 --seed 5 --ticks 536 --gif docs/cycle.gif
echo "docs/cycle.gif"
