#!/bin/bash
# The shipped .scr must be a self-contained Windows GUI program: the right PE kind, the GUI
# subsystem, and imports only from DLLs that every Windows has.
# usage: check-imports.sh SCR_FILE OBJDUMP PE32|PE32+
set -u
scr=$1 objdump=$2 kind=$3
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll winmm.dll msvcrt.dll"
# shellcheck source=e2e/expect.sh
source "$(dirname "$0")/expect.sh"


[[ -f "$scr" ]] || { echo "FAIL: $scr not found (build the win64 and win32 presets first)"; exit 1; }
command -v "$objdump" >/dev/null || { echo "FAIL: $objdump not found (install binutils-mingw-w64)"; exit 1; }
headers=$("$objdump" -p "$scr") || { echo "FAIL: $objdump could not read $scr"; exit 1; }

case $kind in
  PE32) magic="010b	(PE32)" ;;
  PE32+) magic="020b	(PE32+)" ;;
esac
expect "$scr: optional header magic" "$magic" "$(sed -n 's/^Magic[[:space:]]*//p' <<<"$headers")"
expect "$scr: subsystem" "00000002	(Windows GUI)" "$(sed -n 's/^Subsystem[[:space:]]*//p' <<<"$headers")"

dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]' | sort -u)
[[ -n "$dlls" ]] || { echo "FAIL: $scr: no import table found"; exit 1; }
for dll in $dlls; do
  if [[ " $allowed " == *" $dll "* ]]; then
    echo "ok:   $scr imports $dll"
  else
    echo "FAIL: $scr imports $dll: expected only Windows' own DLLs ($allowed)"
    E2E_FAILURES=$((E2E_FAILURES + 1))
  fi
done
# Entries newer than Windows 95 are looked up at run time, or the saver would not start there; and
# nothing may keep the display or the machine awake.
for entry in EnumDisplayMonitors GetMonitorInfoA MonitorFromWindow GetDpiForWindow GetDpiForMonitor \
  SetThreadDpiAwarenessContext GetWindowDpiAwarenessContext RegisterPowerSettingNotification \
  UnregisterPowerSettingNotification SetThreadExecutionState PowerCreateRequest PowerSetRequest; do
  expect "$scr: $entry is not imported" 0 "$(grep -cw "$entry" <<<"$headers")"
done
expect "$scr: nothing asks to keep the display awake" 0 "$(grep -c -a -e SetThreadExecutionState -e PowerSetRequest "$scr")"
((E2E_FAILURES == 0))
