#!/bin/bash
# Saving mode on two monitors side by side: a 1024x768 primary and an 800x600 monitor to its right.
# The saver window covers the primary, with the actor inside its centred 640x480 block; a black
# topmost popup owned by the saver covers the second monitor. A key press, a mouse button and 5 pixels
# of mouse travel over the second monitor each end the saver with exit code 0; 3 pixels do not.
source "$(dirname "$0")/lib.sh"
# One wide X screen that xrandr splits into the two monitors (Xvfb's own +xinerama overlaps them).
# shellcheck disable=SC2034  # read by lib.sh when it starts the display
SCREEN_WIDTH=1824
# shellcheck disable=SC2034
SCREEN_HEIGHT=768
PRIMARY=0,0,1024,768
SECOND=1024,0,1824,600
STAGE=192,144,832,624
# Below the second monitor: on no monitor at all, so nothing of the saver may be there.
NOWHERE=1024,600,1824,768
COVER_CLASS=LomlomMonitorCover

begin_case saving-monitors
split_monitors LEFT 1024/260x768/195+0+0 RIGHT 800/200x600/150+1024+0

driver "$CASE_DIR/monitors.out" 30 monitors
monitors=$CASE_DIR/monitors.out
expect "monitors Windows sees" 2 "$(value "$monitors" monitors)"
expect "primary monitor" "$PRIMARY 1" "$(value "$monitors" monitor1.rect) $(value "$monitors" monitor1.primary)"
expect "second monitor" "$SECOND 0" "$(value "$monitors" monitor2.rect) $(value "$monitors" monitor2.primary)"
expect "screen size" "1024,768" "$(value "$monitors" screen)"
expect "virtual screen" "0,0,1824,768" "$(value "$monitors" virtual_screen)"

# pointer_to X Y: the pointer moved there, and known to be there.
pointer_to() {
  xdo mousemove "$1" "$2"
  wait_until 5000 pointer_at "$1" "$2" || abort "pointer did not reach $1,$2"
}

# start_saver NAME: the saver started with the pointer where it is, its window and the cover waited for.
start_saver() {
  spawn_saver "$1" 'C:\saver\lomlom.scr /s'
  wait_saver_window "$1"
  driver "$CASE_DIR/$1.covers" 30 class-windows "$COVER_CLASS" 1 15000
  expect "$1: covers" 1 "$(value "$CASE_DIR/$1.covers" count)"
}

# check_screen SHOT: the screen as the two monitors must show it; the actor's pixels into STAGE_PIXELS.
STAGE_PIXELS=0
check_screen() {
  screenshot "$1"
  /usr/bin/python3 "$E2E_DIR/monitor_check.py" "$CASE_DIR/$1.xwd" "primary=$PRIMARY" "stage=$STAGE" \
    "second=$SECOND" "nowhere=$NOWHERE" >"$CASE_DIR/$1.pixels" || abort "could not read $1.xwd"
  local pixels=$CASE_DIR/$1.pixels primary
  primary=$(value "$pixels" primary.nonblack)
  STAGE_PIXELS=$(value "$pixels" stage.nonblack)
  expect "$1: screenshot width" 1824 "$(value "$pixels" width)"
  expect "$1: non-black pixels on the primary outside the actor's block" 0 $((primary - STAGE_PIXELS))
  expect "$1: non-black pixels on the second monitor" 0 "$(value "$pixels" second.nonblack)"
  expect "$1: pixels off both monitors that are not white" 0 "$(value "$pixels" nowhere.nonwhite)"
  note "$1: first non-black pixel on the second monitor: $(value "$pixels" second.first_nonblack)"
}

# A key press with the pointer over the second monitor; before it, the windows and the screen.
pointer_to 1300 300
start_saver key
saver=$CASE_DIR/key.windows
covers=$CASE_DIR/key.covers
expect "saver window rect" "$PRIMARY" "$(value "$saver" window1.rect)"
expect "saver window is the foreground window" 1 "$(value "$saver" window1.foreground)"
expect "cover rect" "$SECOND" "$(value "$covers" window1.rect)"
expect "cover owned by the saver window" "$(value "$saver" window1.handle)" "$(value "$covers" window1.owner)"
expect "cover in the saver's process" "$(value "$saver" window1.pid)" "$(value "$covers" window1.pid)"
style=$(value "$covers" window1.style)
exstyle=$(value "$covers" window1.exstyle)
expect "cover is WS_POPUP|WS_VISIBLE" 1 $(((${style:-0} & 0x90000000) == 0x90000000))
expect "cover is WS_EX_TOPMOST" 1 $(((${exstyle:-0} & 0x8) == 0x8))
# The actor shows on the primary monitor within a few seconds (an action may be pausing at first).
actor=0
for ((shot = 1; shot <= 8; shot++)); do
  check_screen "key-$shot"
  ((STAGE_PIXELS > actor)) && actor=$STAGE_PIXELS
  ((actor > 0 && shot >= 2)) && break
  sleep 0.5
done
note "most actor pixels in one screenshot: $actor"
expect "the actor seen on the primary monitor" 1 $((actor > 0))
expect "still running before any input" "still running" "$(saver_exit key 0)"
xdo key space
expect "exit code after a key press over the second monitor" 0 "$(saver_exit key 10000)"
expect "saver windows seen" 1 "$(value "$CASE_DIR/key.out" windows_seen)"

# Mouse travel over the second monitor: 3 pixels keep the saver, 5 end it.
pointer_to 1300 300
start_saver travel
xdo mousemove_relative 2 1
wait_until 5000 pointer_at 1302 301 || abort "pointer did not reach 1302,301"
driver "$CASE_DIR/cursor.out" 30 cursor
expect "cursor as Windows sees it after 2 across, 1 down" "1302,301" "$(value "$CASE_DIR/cursor.out" cursor)"
expect "still running after 3 pixels of travel" "still running" "$(saver_exit travel 1500)"
check_screen travel-3px
xdo mousemove_relative 2 0
wait_until 5000 pointer_at 1304 301 || abort "pointer did not reach 1304,301"
expect "exit code after 5 pixels of travel over the second monitor" 0 "$(saver_exit travel 10000)"

# A mouse button over the second monitor.
pointer_to 1500 450
start_saver click
xdo click 1
expect "exit code after a click on the second monitor" 0 "$(saver_exit click 10000)"
