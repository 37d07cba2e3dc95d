#!/usr/bin/env bash
# Makes build/release/lomlom-<version>.zip (and its .sha256): builds the three presets, lets CPack
# pack both savers, the install text, the licence and the README's pictures (what goes in is said in
# cmake/release/release.cmake), then runs the release checks on a zip packed the same way.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
rm -rf build/release
cpack --config build/native/CPackConfig.cmake -B build/release
ctest --preset native -L release
ls -l build/release/lomlom-*.zip
