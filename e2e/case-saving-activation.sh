#!/bin/bash
# Saving mode: another application taking the foreground ends the saver with exit code 0.
source "$(dirname "$0")/lib.sh"
begin_case saving-activation

spawn_saver saver 'C:\saver\lomlom.scr /s'
wait_saver_window saver
expect "still running before any input" "still running" "$(saver_exit saver 0)"
driver "$CASE_DIR/other.out" 30 activate 1000
expect "other application became the foreground" 1 "$(value "$CASE_DIR/other.out" activated)"
expect "exit code after losing the foreground" 0 "$(saver_exit saver 10000)"
