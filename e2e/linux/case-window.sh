#!/bin/bash
# lomlom drawing into a 640x480 window the test made and named by id, watched for a whole cycle:
# every screenshot is a frame lomlom-render drew for one entry point, in the cycle's order; the
# sounds SDL's disk driver wrote are that entry point's cues, in order; SIGTERM ends it with 0.
# usage: case-window.sh DEPTH   (24, or 16 for a 16-bit visual, where lomlom draws at 16 bits)
source "$(dirname "$0")/lomlom-lib.sh"
SCREEN_DEPTH=$1
begin_linux_case "window-depth$SCREEN_DEPTH"
watch_seconds=${E2E_WATCH_SECONDS:-100}
render_entry_logs 640 480 $(((watch_seconds + 15) * 1000 / 110))
open_window 640 480
# The disk driver sleeps a whole buffer (4096 samples, 371 ms) after writing each one, so on a busy
# machine it falls seconds behind the clock and a cue can be cleared by the next call before it was
# written. A shorter sleep keeps it ahead; it writes silence while nothing is queued.
SDL_AUDIODRIVER=disk SDL_DISKAUDIODELAY=200 SDL_DISKAUDIOFILE="$CASE_DIR/stream.raw" start_lomlom lomlom -window-id "$WINDOW"
# Each entry point starts with a cue of its own, within its first 73 ticks: the first cue in the
# stream tells the entry point, which screenshots that miss the start cannot (from any action on,
# the cycle looks the same).
entry_from_stream() {
  sound_log=$(/usr/bin/python3 "$LINUX_DIR/sound_stream.py" --entry "$CASE_DIR/stream.raw" "$E2E_RENDER_ASSETS" \
    "$CASE_DIR"/sounds-*.txt 2>/dev/null)
}
wait_until 20000 entry_from_stream || abort "lomlom played no cue within 20 s"
entry=${sound_log##*/sounds-}
echo "entry point by its first cue: $entry"
/usr/bin/python3 "$E2E_DIR/scene/watch_saver.py" --depth "$SCREEN_DEPTH" --seconds "$watch_seconds" --out "$CASE_DIR" \
  --window "$WINDOW" "$CASE_DIR/frames-$entry" >"$CASE_DIR/watch.txt" 2>&1
watched=$?
cat "$CASE_DIR/watch.txt"
expect "every screenshot is a rendered frame, in the cycle's order" 0 "$watched"
kill -TERM "$LOMLOM_PID"
expect "exit code after SIGTERM, within 2 s" 0 "$(lomlom_exit lomlom 2000)"

/usr/bin/python3 "$LINUX_DIR/sound_stream.py" "$CASE_DIR/stream.raw" "$E2E_RENDER_ASSETS" "$sound_log" \
  >"$CASE_DIR/sound.txt" 2>&1
heard=$?
cat "$CASE_DIR/sound.txt"
expect "the stream holds the entry point's cues of a whole cycle, in order" 0 "$heard"
