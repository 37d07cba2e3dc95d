#!/bin/bash
# Saving mode at 1024x768 under Wine, watched for a whole cycle: every screenshot must equal, at the
# display's precision, a frame that lomlom-render draws with the saver's own code for that screen;
# the frames seen must run through the five actions in the cycle's order, in the upper-left, lower
# right, upper right and lower left stages, with their logos. With sound on, the PlaySoundA calls
# that Wine traces must be the renderer's sound cues for the same entry point, in order. The entry
# point is the one whose first sound the saver played first. At depths 8 and 24 one screenshot of
# each action must also be its reviewed picture in tests/references.
# usage: case-scene.sh DEPTH   (8, 16 or 24; E2E_RENDER is lomlom-render)
source "$(dirname "$0")/../lib.sh"
source "$E2E_DIR/scene/creature.sh"
depth=$1
E2E_SCREEN_DEPTH=$depth
SCREEN_DEPTH=$depth
case $depth in
  8 | 16) bits=$depth ;;
  24) bits=32 ;;
  *) echo "FAIL: depth must be 8, 16 or 24"; exit 1 ;;
esac
begin_case "scene-depth$depth"
# The watch ends once every action has shown with its logo (about a minute at 110 ms a tick); this is
# its limit, for a slow machine.
watch_seconds=${E2E_WATCH_SECONDS:-100}
# The entry point's frames are drawn while the saver runs, and the watch starts after that: the log
# covers two minutes of it (drawing takes about a quarter of the time it covers), then the whole watch.
before_watch_seconds=120
render_ticks=$(((before_watch_seconds + watch_seconds) * 1000 / 110))

if ((depth == 8)); then
  # Without these Wine matches palette colours only against its 20 reserved ones.
  timeout 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v ClientSideGraphics /d N /f >/dev/null 2>&1 &&
    timeout 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v PrivateColorMap /d Y /f >/dev/null 2>&1 ||
    abort "could not set the palette settings in the prefix"
  timeout 60 "$WINESERVER" -w
fi

learn_entry_points "${SCREEN_WIDTH}x${SCREEN_HEIGHT}" "$bits"

started=$(now_ms)
WINEDEBUG=+winmm spawn_saver saver 'C:\saver\lomlom.scr /s' $(((before_watch_seconds + watch_seconds + 60) * 1000))
wait_saver_window saver
wait_entry_seed saver
seed=$ENTRY_SEED
"$E2E_RENDER" saving --size "${SCREEN_WIDTH}x${SCREEN_HEIGHT}" --depth "$bits" --seed "$seed" --ticks "$render_ticks" \
  --frame-log "$CASE_DIR/frames.txt" --sound-log "$CASE_DIR/sounds.txt" || abort "lomlom-render failed for seed $seed"
note "entry point $(awk '!/^#/ {print $3; exit}' "$CASE_DIR/frames.txt") (seed $seed), told by its first sound $(first_sound saver); rendered $render_ticks ticks"
(($(now_ms) - started < before_watch_seconds * 1000)) ||
  abort "the frames were ready only $(($(now_ms) - started)) ms into the run; they cover $before_watch_seconds s before the watch"
window=0
best=0
if ((depth == 8)); then
  # The saver's own X window: the largest one titled "Screen Saver".
  for id in $(timeout 10 xdotool search --name '^Screen Saver$' 2>/dev/null); do
    size=$(timeout 5 xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
    read -r w h <<<"$size"
    ((${w:-0} * ${h:-0} > best)) 2>/dev/null && { best=$((w * h)); window=$id; }
  done
  ((window != 0)) || abort "the saver's X window was not found"
fi

references=()
((bits != 16)) && references=(--references "$E2E_DIR/../tests/references/scene.txt" --reference-depth "$bits")
/usr/bin/python3 "$E2E_DIR/scene/watch_saver.py" --depth "$depth" --seconds "$watch_seconds" --out "$CASE_DIR" \
  --window "$window" "${references[@]}" "$CASE_DIR/frames.txt" >"$CASE_DIR/watch.txt" 2>&1
watched=$?
cat "$CASE_DIR/watch.txt"
expect "every screenshot is a frame of the entry point's, in the cycle's order" 0 "$watched"
expect "still running after the cycle" "still running" "$(saver_exit saver 0)"
xdo key space
expect "exit code after a key press" 0 "$(saver_exit saver 10000)"

# Sound: the calls Wine saw, as "NAME FLAGS", against the renderer's cues of the same entry point.
/usr/bin/python3 "$E2E_DIR/scene/sound_calls.py" "$CASE_DIR/saver.err" >"$CASE_DIR/sounds-seen.txt"
awk '!/^#/ {print $2, $3}' "$CASE_DIR/sounds.txt" >"$CASE_DIR/sounds-expected.txt"
seen=$(wc -l <"$CASE_DIR/sounds-seen.txt")
expect "sound calls over a whole cycle (two per action)" 1 $((seen >= 10))
expect "sound calls are the renderer's cues, in order" "$(head -n "$seen" "$CASE_DIR/sounds-expected.txt")" \
  "$(cat "$CASE_DIR/sounds-seen.txt")"
