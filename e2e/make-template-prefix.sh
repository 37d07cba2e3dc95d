#!/bin/bash
# Makes the Wine prefix that every end-to-end case copies: one wineboot per test run instead of one
# per case. usage: make-template-prefix.sh PREFIX_DIR
set -u
prefix=$1
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY

for tool in "$WINE64" "$WINESERVER"; do
  [[ -x "$tool" ]] || { echo "FAIL: $tool missing (install the wine64 package)"; exit 1; }
done
trap 'timeout 10 "$WINESERVER" -k 2>/dev/null' EXIT

rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
start=$(date +%s)
timeout 120 "$WINE64" wineboot -i >/dev/null 2>&1 || { echo "FAIL: wineboot -i did not finish"; exit 1; }
timeout 60 "$WINE64" reg import "Z:$(dirname "$(readlink -f "$0")")/prefix-settings.reg" >/dev/null 2>&1 ||
  { echo "FAIL: could not import prefix-settings.reg into the registry"; exit 1; }
# The prefix is copied only after its wineserver has written the registry and ended.
timeout 60 "$WINESERVER" -w || { echo "FAIL: the template's wineserver did not end"; exit 1; }
[[ -f "$prefix/system.reg" ]] || { echo "FAIL: no registry in $prefix"; exit 1; }
echo "template prefix ready in $prefix after $(($(date +%s) - start)) s"
