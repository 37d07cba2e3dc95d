#!/bin/bash
# Saving mode: the saver tolerates 4 pixels of mouse travel (x and y summed) from where the pointer
# was when it started; the fifth pixel ends it with exit code 0.
source "$(dirname "$0")/lib.sh"
begin_case saving-mouse-travel

xdo mousemove 300 200
wait_until 5000 pointer_at 300 200 || abort "pointer did not reach 300,200"
spawn_saver saver 'C:\saver\lomlom.scr /s'
wait_saver_window saver

xdo mousemove_relative 3 1
wait_until 5000 pointer_at 303 201 || abort "pointer did not reach 303,201"
# The driver's own view of the cursor shows that Wine has taken the move in.
driver "$CASE_DIR/cursor.out" 30 cursor
expect "cursor as Windows sees it after 3 across, 1 down" "303,201" "$(value "$CASE_DIR/cursor.out" cursor)"
expect "still running after 4 pixels of travel" "still running" "$(saver_exit saver 1500)"

xdo mousemove_relative 1 0
wait_until 5000 pointer_at 304 201 || abort "pointer did not reach 304,201"
expect "exit code after 5 pixels of travel" 0 "$(saver_exit saver 10000)"
