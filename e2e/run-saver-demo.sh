#!/bin/bash
# Shows the 64-bit saver running under Wine and saves a screenshot of it.
# With $DISPLAY set the saver runs on that display until you press a key or move the mouse;
# without it the saver runs for a few seconds in its own Xvfb. Prints the screenshot's path.
# usage: e2e/run-saver-demo.sh [SAVER.scr]   (default: build/win64/lomlom.scr)
source "$(dirname "$0")/lib.sh"

scr=${1:-$E2E_DIR/../build/win64/lomlom.scr}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/lomlom-saver
export WINEPREFIX=$cache/wineprefix
shot=$cache/demo-$(date +%Y%m%d-%H%M%S).png
saver_pid=

[[ -f "$scr" ]] || { echo "no saver at $scr (build it: cmake --preset win64 && cmake --build --preset win64)"; exit 1; }
for tool in Xvfb xdotool xwd convert "$WINE"; do
  command -v "$tool" >/dev/null || { echo "$tool not found (install wine64, xvfb, xdotool, x11-apps, imagemagick)"; exit 1; }
done

end_all() {
  [[ -n "$saver_pid" ]] && stop_pid "$saver_pid"
  timeout 10 "$WINESERVER" -k 2>/dev/null
  [[ -n "$E2E_XVFB_PID" ]] && stop_pid "$E2E_XVFB_PID"
}
trap end_all EXIT
trap 'exit 1' INT TERM

mkdir -p "$cache"
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  echo "making the Wine prefix $WINEPREFIX (about 10 s, once)"
  (unset DISPLAY && timeout 120 "$WINE" wineboot -i >/dev/null 2>&1) || { echo "wineboot failed"; exit 1; }
  # Wine's desktop process from wineboot has no display; the saver must not join it.
  timeout 60 "$WINESERVER" -w
fi

if [[ -z "${DISPLAY:-}" ]]; then
  CASE_DIR=$cache
  E2E_DISPLAY_BASE=99
  start_display >&2
fi

saver_window_shown() { timeout 5 xdotool search --name '^Screen Saver$' >/dev/null 2>&1; }

"$WINE" "$scr" /s &
saver_pid=$!
wait_until 20000 saver_window_shown || { echo "the saver window did not appear within 20 s"; exit 1; }
# Give the actor a few frames on screen before the picture is taken.
sleep 2
timeout 20 xwd -root -silent | timeout 20 convert xwd:- "$shot" || { echo "screenshot failed"; exit 1; }
echo "$shot"

if [[ -n "$E2E_XVFB_PID" ]]; then
  sleep 2
else
  echo "press a key or move the mouse to end the saver" >&2
  wait_until 600000 eval "! kill -0 $saver_pid 2>/dev/null"
fi
