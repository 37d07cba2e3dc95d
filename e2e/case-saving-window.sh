#!/bin/bash
# Saving mode: one visible, topmost, full-screen popup titled "Screen Saver" that keeps the screen
# black around the actor's stage, and a key press ends it with exit code 0.
source "$(dirname "$0")/lib.sh"
begin_case saving-window

spawn_saver saver 'C:\saver\lomlom.scr /s'
wait_saver_window saver
windows=$CASE_DIR/saver.windows
expect "saver windows" 1 "$(value "$windows" count)"
expect "class" WindowsScreenSaverClass "$(value "$windows" window1.class)"
expect "title" "Screen Saver" "$(value "$windows" window1.title)"
expect "visible" 1 "$(value "$windows" window1.visible)"
expect "window rect covers the screen" "0,0,$SCREEN_WIDTH,$SCREEN_HEIGHT" "$(value "$windows" window1.rect)"
expect "screen size" "$SCREEN_WIDTH,$SCREEN_HEIGHT" "$(value "$windows" screen)"
style=$(value "$windows" window1.style)
style=${style:-0}
exstyle=$(value "$windows" window1.exstyle)
exstyle=${exstyle:-0}
expect "WS_POPUP|WS_VISIBLE set" 1 $(((style & 0x90000000) == 0x90000000))
expect "WS_CHILD|WS_CAPTION clear" 1 $(((style & 0x40C00000) == 0))
expect "WS_EX_TOPMOST set" 1 $(((exstyle & 0x8) == 0x8))
expect "saver window is the foreground window" 1 "$(value "$windows" window1.foreground)"

# The actor and its captions play only inside the centred 640x480 block.
for shot in first second; do
  [[ $shot == second ]] && sleep 1
  screenshot "$shot"
  /usr/bin/python3 "$E2E_DIR/screen_check.py" "$CASE_DIR/$shot.xwd" 640 480 >"$CASE_DIR/$shot.pixels"
  expect "$shot screenshot: non-black pixels outside the actor's area" 0 "$(value "$CASE_DIR/$shot.pixels" nonblack_outside)"
  note "$shot screenshot: first non-black outside at $(value "$CASE_DIR/$shot.pixels" first_outside)," \
    "$(value "$CASE_DIR/$shot.pixels" nonblack_inside) non-black pixels inside"
done
expect "still running before any input" "still running" "$(saver_exit saver 0)"

xdo key space
expect "exit code after a key press" 0 "$(saver_exit saver 10000)"
expect "saver windows seen" 1 "$(value "$CASE_DIR/saver.out" windows_seen)"
