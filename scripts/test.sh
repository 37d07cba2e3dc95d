#!/usr/bin/env bash
# The whole test suite: the check for stray large files, unit tests (headless Win32, ASan + UBSan),
# the fuzz run, and the end-to-end tests of both shipped savers under Wine (64-bit and 32-bit).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/check-tree.sh
bash scripts/build.sh
ctest --preset native -j 2 "$@"
