#!/usr/bin/env bash
# The whole test suite: the check for stray large files, unit tests (headless Win32, ASan + UBSan),
# the fuzz run, and the end-to-end tests of the real 64-bit saver under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/check-tree.sh
bash scripts/build.sh
ctest --preset native -j 2 "$@"
