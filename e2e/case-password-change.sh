#!/bin/bash
# Windows 95, `/a N`: the system's password change gets ("SCRSAVE", window N, 0, null) and the saver
# exits 0; `/a` alone hands it the foreground window.
source "$(dirname "$0")/password-lib.sh"
begin_password_case password-change

set_registry "$WINDOWS_95"
install_fixture mpr.dll windows/system32/mpr.dll
# Wine prefers its own mpr.dll; the fixture is loaded only when native comes first.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mpr=n"

owners=$CASE_DIR/owners.out
"$WINE" "$E2E_PREFIX/drive_c/e2e_driver.exe" owner-windows 60000 >"$owners" 2>"$owners.err" &
E2E_PIDS+=($!)
wait_until 15000 has_line "$owners" foreground_is_mine || abort "the owner windows did not appear"
named=$(value "$owners" named)
foreground=$(value "$owners" foreground)
expect "the foreground window is the driver's" 1 "$(value "$owners" foreground_is_mine)"

driver "$CASE_DIR/named.out" 60 spawn 15000 "C:\\saver\\lomlom.scr /a $named"
expect "'/a $named': exit code" 0 "$(value "$CASE_DIR/named.out" exit)"
expect "'/a $named': saver windows shown" 0 "$(value "$CASE_DIR/named.out" windows_seen)"
expect "'/a $named': arguments handed over" "provider=SCRSAVE owner=$named flags=0 reserved=null" \
  "$(log_lines mpr.log | sed -n 1p)"

driver "$CASE_DIR/foreground.out" 60 spawn 15000 'C:\saver\lomlom.scr /a'
expect "'/a': exit code" 0 "$(value "$CASE_DIR/foreground.out" exit)"
expect "'/a': arguments handed over" "provider=SCRSAVE owner=$foreground flags=0 reserved=null" \
  "$(log_lines mpr.log | sed -n 2p)"
expect "password change loaded from the system folder only" \
  'c:\windows\system32\mpr.dll c:\windows\system32\mpr.dll' "$(loaded_modules)"
