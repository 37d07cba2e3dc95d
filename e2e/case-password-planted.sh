#!/bin/bash
# Copies of PASSWORD.CPL and MPR.DLL placed beside the saver and in its working folder are never
# loaded: the saver takes the system folder's, and nothing when the system folder has none.
source "$(dirname "$0")/password-lib.sh"
begin_password_case password-planted

set_registry "$WINDOWS_95" "$(password_setting dword:00000001)"
for folder in saver work; do
  install_fixture password.cpl "$folder/PASSWORD.CPL"
  install_fixture mpr.dll "$folder/MPR.DLL"
done
install_fixture password.cpl windows/system32/PASSWORD.CPL
install_fixture mpr.dll windows/system32/mpr.dll
answers accept
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mpr=n"
# The saver inherits the driver's working folder, which Wine takes from the shell's.
cd "$E2E_PREFIX/drive_c/work" || abort "no working folder"

system_copies='c:\windows\system32\password.cpl c:\windows\system32\mpr.dll'
run_saver_until_key with-system 'C:\saver\lomlom.scr /s'
expect "with the system's copies: exit code after the accepted password" 0 "$(saver_exit with-system 10000)"
expect "with the system's copies: the saver's working folder" 'C:\work' "$(log_field verifier.log 1 cwd)"
driver "$CASE_DIR/change-with-system.out" 60 spawn 15000 'C:\saver\lomlom.scr /a'
expect "with the system's copies: '/a' exit code" 0 "$(value "$CASE_DIR/change-with-system.out" exit)"
expect "with the system's copies: password change called" 1 "$(log_count mpr.log)"
expect "with the system's copies: modules loaded" "$system_copies" "$(loaded_modules)"

rm -f "$E2E_PREFIX/drive_c/windows/system32/PASSWORD.CPL" "$E2E_PREFIX/drive_c/windows/system32/mpr.dll"
run_saver_until_key without-system 'C:\saver\lomlom.scr /s'
expect "without them: exit code after the first key press" 0 "$(saver_exit without-system 10000)"
driver "$CASE_DIR/change-without-system.out" 60 spawn 15000 'C:\saver\lomlom.scr /a'
expect "without them: '/a' exit code" 0 "$(value "$CASE_DIR/change-without-system.out" exit)"
expect "without them: verifier asked" 1 "$(log_count verifier.log)"
expect "without them: password change called" 1 "$(log_count mpr.log)"
expect "without them: modules loaded" "$system_copies" "$(loaded_modules)"
