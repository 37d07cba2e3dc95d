#!/bin/bash
# Saving mode: a mouse button ends the saver with exit code 0.
source "$(dirname "$0")/lib.sh"
begin_case saving-click

spawn_saver saver 'C:\saver\lomlom.scr /s'
wait_saver_window saver
expect "still running before any input" "still running" "$(saver_exit saver 0)"
xdo click 1
expect "exit code after a left click" 0 "$(saver_exit saver 10000)"
