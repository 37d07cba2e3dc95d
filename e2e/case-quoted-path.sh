#!/bin/bash
# Saving mode started from a folder whose name has spaces, with the program name quoted.
source "$(dirname "$0")/lib.sh"
begin_case quoted-path

mkdir -p "$E2E_PREFIX/drive_c/dir with spaces"
cp "$E2E_SCR" "$E2E_PREFIX/drive_c/dir with spaces/lomlom.scr"
spawn_saver saver '"C:\dir with spaces\lomlom.scr" /s'
wait_saver_window saver
expect "command line as started" '"C:\dir with spaces\lomlom.scr" /s' "$(value "$CASE_DIR/saver.out" command_line)"
expect "saver windows" 1 "$(value "$CASE_DIR/saver.windows" count)"
expect "title" "Screen Saver" "$(value "$CASE_DIR/saver.windows" window1.title)"
expect "window rect covers the screen" "0,0,$SCREEN_WIDTH,$SCREEN_HEIGHT" "$(value "$CASE_DIR/saver.windows" window1.rect)"
xdo key space
expect "exit code after a key press" 0 "$(saver_exit saver 10000)"
