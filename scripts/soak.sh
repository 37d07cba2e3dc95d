#!/usr/bin/env bash
# The long run: a million ticks (about 30 hours of saver time) of the real saver on the headless
# machine under AddressSanitizer and LeakSanitizer, with heap, GDI objects and the choreography
# checked throughout. CI runs 20,000 ticks of the same (ctest -L soak). Takes about 12 minutes.
# usage: scripts/soak.sh [TICKS [WIDTHxHEIGHT]]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native -j 2 --target saver_soak
exec build/native/tests/soak/saver_soak "${1:-1000000}" "${2:-1024x768}"
