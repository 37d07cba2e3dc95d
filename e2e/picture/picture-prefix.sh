#!/bin/bash
# Makes the Wine prefix that the picture cases copy. usage: picture-prefix.sh PREFIX_DIR
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
timeout 120 "$WINE64" wineboot -i >/dev/null 2>&1 || { echo "FAIL: wineboot -i did not finish within 120 s"; exit 1; }
# Copies are taken only once the prefix's wineserver has written the registry and ended.
timeout 60 "$WINESERVER" -w || { echo "FAIL: the prefix's wineserver did not end"; exit 1; }
[[ -f "$prefix/system.reg" ]] || { echo "FAIL: no registry in $prefix"; exit 1; }
echo "picture prefix ready in $prefix"
