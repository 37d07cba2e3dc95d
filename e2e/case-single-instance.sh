#!/bin/bash
# Saving mode while a saver runs: the second start exits with 0 at once and creates no window.
source "$(dirname "$0")/lib.sh"
begin_case single-instance

spawn_saver first 'C:\saver\lomlom.scr /s'
wait_saver_window first
first_window=$(value "$CASE_DIR/first.windows" window1.handle)

driver "$CASE_DIR/second.out" 60 spawn 10000 'C:\saver\lomlom.scr /s'
expect "second saver's exit code" 0 "$(value "$CASE_DIR/second.out" exit)"
expect "saver windows made by the second saver" 0 "$(value "$CASE_DIR/second.out" windows_seen)"
elapsed=$(value "$CASE_DIR/second.out" elapsed_ms)
expect "second saver ended within 5 s (took ${elapsed:-?} ms)" 1 $((${elapsed:-99999} < 5000))

driver "$CASE_DIR/after.windows" 30 saver-windows 0
expect "saver windows after the second start" 1 "$(value "$CASE_DIR/after.windows" count)"
expect "the first saver's window is the one left" "$first_window" "$(value "$CASE_DIR/after.windows" window1.handle)"
expect "first saver still running" "still running" "$(saver_exit first 0)"

xdo key Escape
expect "first saver's exit code after a key press" 0 "$(saver_exit first 10000)"
