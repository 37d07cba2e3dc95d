#!/usr/bin/env bash
# Builds the native tests and tools (which also generate the pictures and sounds), then both
# screen savers from the generated resources, lomlom, the native Linux module, and the savers'
# Windows Installer packages.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
for preset in native win64 win32 linux; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j 2
done
cmake --build --preset native --target msi
