#!/bin/bash
# The Sound setting under Wine: with Sound 0 in the machine's key, or 0 in the user's key over a 1 in
# the machine's, the saver animates for longer than any action takes to reach its sound and makes no
# PlaySoundA call at all; with no key it does make them (so the tracing that shows them works).
source "$(dirname "$0")/../lib.sh"
begin_case scene-silent
saver_key='SOFTWARE\NUVARIS\ORUScreenSaver\LOMLOM_ACTION_2'
# The latest sound of any first action is its 73rd update, 8 s after the start.
run_seconds=10

set_sound() {
  timeout 60 "$WINE" reg add "$1\\$saver_key" /v Sound /t REG_DWORD /d "$2" /f >/dev/null 2>&1 ||
    abort "could not store Sound=$2 under $1"
}

# run NAME: the saver for run_seconds with sound traced; prints its PlaySoundA calls.
run() {
  timeout 60 "$WINESERVER" -w
  WINEDEBUG=+winmm spawn_saver "$1" 'C:\saver\lomlom.scr /s'
  wait_saver_window "$1"
  # A screenshot a second: the saver animates when they are not all the same (two alone could both
  # fall before the first frame or into a pause).
  local second pictures=()
  for ((second = 0; second < run_seconds; second++)); do
    sleep 1
    pictures+=("$(timeout 20 xwd -root -silent | md5sum | cut -d' ' -f1)")
  done
  expect "$1: animating" 1 $(($(printf '%s\n' "${pictures[@]}" | sort -u | wc -l) > 1))
  xdo key space
  expect "$1: exit code after a key press" 0 "$(saver_exit "$1" 10000)"
  /usr/bin/python3 "$E2E_DIR/scene/sound_calls.py" "$CASE_DIR/$1.err" >"$CASE_DIR/$1.sounds"
}

run default
calls=$(wc -l <"$CASE_DIR/default.sounds")
expect "no key: the saver plays its sound" 1 $((calls >= 2))

set_sound HKLM 0
run machine-off
expect "Sound 0 in the machine's key: PlaySoundA calls" 0 "$(wc -l <"$CASE_DIR/machine-off.sounds")"

set_sound HKLM 1
set_sound HKCU 0
run user-off
expect "Sound 0 in the user's key over 1 in the machine's: PlaySoundA calls" 0 "$(wc -l <"$CASE_DIR/user-off.sounds")"
