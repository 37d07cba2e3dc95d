#!/usr/bin/env bash
# Makes build/release/: lomlom-<version>.zip (and its .sha256), lomlom-<version>-x64.msi,
# lomlom-<version>-x86.msi and SHA256SUMS for all three. Builds the three presets, signs both savers
# in place when scripts/sign.sh has a certificate (see docs/guide.md), lets CPack pack the zip (what
# goes in is said in cmake/release/release.cmake) and wixl the packages from the signed savers, signs
# the packages, then runs the release checks.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
bash scripts/sign.sh build/win64/lomlom.scr build/win32/lomlom.scr
rm -rf build/release
cpack --config build/native/CPackConfig.cmake -B build/release
cmake --build --preset native --target msi
cp build/native/msi/lomlom-*.msi build/release/
bash scripts/sign.sh build/release/lomlom-*.msi
(cd build/release && sha256sum lomlom-*.zip lomlom-*.msi >SHA256SUMS)
ctest --preset native -L release
ls -l build/release/lomlom-*.zip build/release/lomlom-*.msi build/release/SHA256SUMS
