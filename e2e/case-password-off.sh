#!/bin/bash
# Windows 95 without a screen-saver password (the setting 0, or none): the first key press ends the
# saver and the verifier, although installed, is never loaded.
source "$(dirname "$0")/password-lib.sh"
begin_password_case password-off

install_fixture password.cpl windows/system32/PASSWORD.CPL
answers refuse
for setting in dword:00000000 -; do
  set_registry "$WINDOWS_95" "$(password_setting "$setting")"
  name=setting-${setting//[:]/-}
  run_saver_until_key "$name" 'C:\saver\lomlom.scr /s'
  expect "ScreenSaveUsePassword=$setting: exit code after the first key press" 0 "$(saver_exit "$name" 10000)"
  expect "ScreenSaveUsePassword=$setting: verifier loaded" "" "$(loaded_modules)"
  expect "ScreenSaveUsePassword=$setting: verifier asked" 0 "$(log_count verifier.log)"
done
