#!/usr/bin/env bash
# Builds the saver and runs it in saving mode under Wine: on your display when there is one (any key
# or mouse movement ends it), otherwise for a few seconds under Xvfb, leaving a screenshot.
# Only what the 64-bit saver needs is built: the native asset generator and its resources, then the
# saver itself (scripts/build.sh builds everything).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native -j 2 --target assets
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j 2 --target saver
exec bash e2e/run-saver-demo.sh build/win64/lomlom.scr
