#!/bin/bash
# lomlom's edges: bad arguments; on a window of its own the saver's dismissal rules; SIGTERM while a
# cue plays; no sound at all with -no-sound; the window destroyed under it; the window resized from
# 640x480 to 1920x1080 and back, each time redrawn as the renderer draws that size; no sound device. Every run ends
# with 0 and no sanitizer report.
source "$(dirname "$0")/lomlom-lib.sh"
SCREEN_WIDTH=1920
SCREEN_HEIGHT=1080
begin_linux_case faults

# Bad arguments: "ARGUMENTS|WHAT THE MESSAGE SAYS".
while IFS='|' read -r arguments message; do
  # shellcheck disable=SC2086  # the arguments are words
  XSCREENSAVER_WINDOW='' "$LOMLOM" $arguments >"$CASE_DIR/bad.out" 2>"$CASE_DIR/bad.err"
  expect "exit code of lomlom $arguments" 1 $?
  grep -q -- "$message" "$CASE_DIR/bad.err" || fail "lomlom $arguments said: $(head -n 1 "$CASE_DIR/bad.err")"
done <<'ROWS'
-bogus|unknown option '-bogus'
--window-id|-window-id needs an id
-window-id 0|bad window id '0'
-window-id 12x|bad window id '12x'
-window-id 0x|bad window id '0x'
-window-id -5|bad window id '-5'
-window-id 0x1ffffffff|bad window id '0x1ffffffff'
-window-id 0x7ffff0|no window 0x7ffff0
-fit sideways|-fit takes follow, actual or fill
ROWS
XSCREENSAVER_WINDOW=junk "$LOMLOM" --root >/dev/null 2>"$CASE_DIR/bad.err"
expect "a bad XSCREENSAVER_WINDOW" "1 yes" "$? $(grep -q "in XSCREENSAVER_WINDOW" "$CASE_DIR/bad.err" && echo yes)"
"$LOMLOM" --help >"$CASE_DIR/help.out" 2>&1
expect "--help" "0 yes" "$? $(grep -q -- "-window-id ID" "$CASE_DIR/help.out" && echo yes)"

# Its own window at (0, 0) with the pointer over it: 3 pixels of travel keep it, 6 end it; a key
# and a button end it.
own_window_ends() {
  local name=$1
  shift
  timeout 5 xdotool mousemove 500 400
  start_lomlom "$name" -no-sound
  wait_until 10000 eval 'timeout 5 xdotool search --name "^lomlom$" >/dev/null 2>&1' || abort "no lomlom window"
  sleep 1
  "$@"
  expect "own window: $name ends it with 0" 0 "$(lomlom_exit "$name" 5000)"
}
own_window_ends key timeout 5 xdotool key space
own_window_ends button timeout 5 xdotool click 1
travel() {
  timeout 5 xdotool mousemove 503 400
  sleep 1
  expect "own window: 3 pixels of travel keep it" 0 "$(alive "$LOMLOM_PID"; echo $?)"
  timeout 5 xdotool mousemove 506 400
}
own_window_ends travel travel

# A cue playing when SIGTERM comes; the disk driver writes silence (0x80) until then.
sounding() { /usr/bin/python3 -c 'import sys; sys.exit(any(b != 0x80 for b in open(sys.argv[1], "rb").read()) ^ 1)' "$1" 2>/dev/null; }
open_window 640 480
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$CASE_DIR/term.raw" start_lomlom term -window-id "$WINDOW"
wait_until 40000 sounding "$CASE_DIR/term.raw" || fail "no cue within 40 s"
kill -TERM "$LOMLOM_PID"
expect "SIGTERM while a cue plays: exit code within 2 s" 0 "$(lomlom_exit term 2000)"

# -no-sound: SDL's audio is never started, so nothing is written.
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$CASE_DIR/silent.raw" start_lomlom silent -window-id "$WINDOW" -no-sound
sleep 15
kill -INT "$LOMLOM_PID"
expect "SIGINT: exit code within 2 s" 0 "$(lomlom_exit silent 2000)"
expect "-no-sound writes no sound" absent "$([[ -e "$CASE_DIR/silent.raw" ]] && echo present || echo absent)"

# No sound device: it runs on, and says so once.
SDL_AUDIODRIVER=none-such start_lomlom no-device -window-id "$WINDOW"
sleep 15
kill -TERM "$LOMLOM_PID"
expect "no sound device: exit code within 2 s" 0 "$(lomlom_exit no-device 2000)"
expect "no sound device: said once" 1 "$(grep -c "no sound device" "$CASE_DIR/no-device.err")"

# Resized and back: each size redrawn as the renderer draws it; then the window destroyed.
render_entry_logs 640 480 250
small_logs=("${ENTRY_LOGS[@]}")
render_entry_logs 1920 1080 120
large_logs=("${ENTRY_LOGS[@]}")
start_lomlom resize -window-id "$WINDOW" -no-sound
shows() { /usr/bin/python3 "$LINUX_DIR/shot_matches.py" --depth 24 --window "$WINDOW" --out "$CASE_DIR/$1.xwd" "${@:2}" >"$CASE_DIR/$1.txt" 2>&1; }
wait_until 10000 shows small "${small_logs[@]}" || fail "640x480: $(cat "$CASE_DIR/small.txt")"
window_command "resize 1920 1080"
wait_until 10000 shows large "${large_logs[@]}" || fail "1920x1080: $(cat "$CASE_DIR/large.txt")"
window_command "resize 640 480"
wait_until 10000 shows small-again "${small_logs[@]}" || fail "640x480 again: $(cat "$CASE_DIR/small-again.txt")"
window_command destroy
expect "window destroyed: exit code within 2 s" 0 "$(lomlom_exit resize 2000)"

# -fit actual keeps the first size, centred; -fit fill scales it (twice the size: every second pixel
# is the picture's).
open_window 640 480
start_lomlom actual -window-id "$WINDOW" -no-sound -fit actual
wait_until 10000 shows actual-small "${small_logs[@]}" || fail "-fit actual at 640x480: $(cat "$CASE_DIR/actual-small.txt")"
window_command "resize 1920 1080"
wait_until 10000 shows actual-large --part 640,300,640,480 "${small_logs[@]}" ||
  fail "-fit actual at 1920x1080: $(cat "$CASE_DIR/actual-large.txt")"
kill -TERM "$LOMLOM_PID"
expect "-fit actual: exit code within 2 s" 0 "$(lomlom_exit actual 2000)"
start_lomlom fill -window-id "$WINDOW" -no-sound -fit fill
window_command "resize 640 480"
sleep 1
window_command "resize 1280 960"
wait_until 10000 shows fill --step 2 "${small_logs[@]}" || fail "-fit fill at 1280x960: $(cat "$CASE_DIR/fill.txt")"
kill -TERM "$LOMLOM_PID"
expect "-fit fill: exit code within 2 s" 0 "$(lomlom_exit fill 2000)"
