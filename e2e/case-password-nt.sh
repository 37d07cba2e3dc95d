#!/bin/bash
# The Windows NT path (the saver not reported as Windows 95): the verifier is never loaded, even with
# the password setting 1, and the first key press ends the saver.
source "$(dirname "$0")/password-lib.sh"
begin_password_case password-nt

set_registry "$(password_setting dword:00000001)"
install_fixture password.cpl windows/system32/PASSWORD.CPL
answers refuse
run_saver_until_key saver 'C:\saver\lomlom.scr /s'
expect "exit code after the first key press" 0 "$(saver_exit saver 10000)"
expect "verifier loaded" "" "$(loaded_modules)"
expect "verifier asked" 0 "$(log_count verifier.log)"
