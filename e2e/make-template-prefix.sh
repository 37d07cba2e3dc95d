#!/bin/bash
# Makes the Wine prefix that every end-to-end case copies: one wineboot per test run instead of one
# per case, 64-bit or 32-bit as E2E_BUILD says. usage: make-template-prefix.sh PREFIX_DIR
source "$(dirname "$0")/lib.sh"
prefix=$1
unset DISPLAY

rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
require_wine "$(dirname "$prefix")"
trap 'timeout 10 "$WINESERVER" -k 2>/dev/null' EXIT
export WINEPREFIX=$prefix
start=$(date +%s)
timeout 120 "$WINE" wineboot -i >/dev/null 2>&1 || { echo "FAIL: wineboot -i did not finish"; exit 1; }
timeout 60 "$WINE" reg import "Z:$E2E_DIR/prefix-settings.reg" >/dev/null 2>&1 ||
  { echo "FAIL: could not import prefix-settings.reg into the registry"; exit 1; }
# The prefix is copied only after its wineserver has written the registry and ended.
timeout 60 "$WINESERVER" -w || { echo "FAIL: the template's wineserver did not end"; exit 1; }
[[ -f "$prefix/system.reg" ]] || { echo "FAIL: no registry in $prefix"; exit 1; }
grep -qx "#arch=$E2E_BUILD" "$prefix/system.reg" || { echo "FAIL: $prefix is not a $E2E_BUILD prefix"; exit 1; }
echo "$E2E_BUILD template prefix ready in $prefix after $(($(date +%s) - start)) s"
