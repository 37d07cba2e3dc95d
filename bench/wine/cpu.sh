#!/bin/bash
# CPU time of the saver under Wine against the least a saver can do: timer_floor.exe, a full-screen
# window with a 110 ms timer that copies one 100x100 rectangle per tick. Both run in the same Xvfb
# (depth 24), one after the other, each in its own copy of a prefix made for this run, for each row:
# 1024x768 at 96 DPI, and 3840x2160 at 192 DPI (the prefix's LogPixels), where the saver shows each
# pixel as a 2x2 square.
# After a settling time, the user and system time of every Wine process of the prefix (the program,
# wineserver, explorer.exe and Wine's other services) is summed from /proc over SECONDS seconds;
# Xvfb's own time is not counted. Prints both figures and their ratio for each row; exits 1 when a
# ratio exceeds LIMIT.
#
# usage: bench/wine/cpu.sh [SECONDS]   (60 by default; needs the build that E2E_BUILD names)
# Environment: E2E_BUILD (win64 or win32, see e2e/lib.sh; the floor comes from the same build as the
# saver), SAVER_SCR, FLOOR_EXE (defaults in build/$E2E_BUILD), LIMIT (1.5), SETTLE_SECONDS (5),
# WINE_CPU_WORK (folder for logs), WINE_CPU_DISPLAY_BASE (first X display number to try, 200).
source "$(dirname "$0")/wine_proc.sh"

seconds=${1:-60}
limit=${LIMIT:-1.5}
settle=${SETTLE_SECONDS:-5}
saver=${SAVER_SCR:-$BENCH_REPO/build/$E2E_BUILD/lomlom.scr}
floor=${FLOOR_EXE:-$BENCH_REPO/build/$E2E_BUILD/bench/wine/timer_floor.exe}
CASE_DIR=${WINE_CPU_WORK:-$BENCH_REPO/build/$E2E_BUILD/bench/wine/cpu}
E2E_DISPLAY_BASE=${WINE_CPU_DISPLAY_BASE:-200}

[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || { echo "usage: cpu.sh [SECONDS]"; exit 2; }
rm -rf "$CASE_DIR"
mkdir -p "$CASE_DIR"
require_wine "$CASE_DIR"
trap finish EXIT
trap 'fail "interrupted"; exit 1' INT TERM
require_file "saver" "$saver"
require_file "timer floor" "$floor"
make_bench_template "$CASE_DIR/template"
# Each row: screen and DPI.
rows=("1024x768 96" "3840x2160 192")

for row in "${rows[@]}"; do
  read -r screen dpi <<<"$row"
  # shellcheck disable=SC2034  # read by lib.sh when it starts the display
  SCREEN_WIDTH=${screen%x*} SCREEN_HEIGHT=${screen#*x}
  start_display
  WINEPREFIX="$CASE_DIR/template" timeout 60 "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
    /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || abort "could not set LogPixels $dpi in the prefix"
  WINEPREFIX="$CASE_DIR/template" timeout 60 "$WINESERVER" -w
  # The floor ends by itself well after the measurement; the script ends it first.
  measure "floor-$dpi" "Timer floor" "$floor" $(((settle + seconds + 60) * 1000))
  measure "saver-$dpi" "Screen Saver" "$saver" /s
  stop_pid "$E2E_XVFB_PID"
  E2E_XVFB_PID=

  floor_s=$(sed -n 's/^cpu_s=\([0-9.]*\).*/\1/p' "$CASE_DIR/floor-$dpi.cpu")
  saver_s=$(sed -n 's/^cpu_s=\([0-9.]*\).*/\1/p' "$CASE_DIR/saver-$dpi.cpu")
  ratio=$(awk -v s="$saver_s" -v f="$floor_s" 'BEGIN { if (f > 0) printf "%.2f", s / f; else print "inf" }')
  echo "$E2E_BUILD CPU seconds over $seconds s at $screen, $dpi DPI: timer floor $floor_s, saver $saver_s"
  echo "ratio=$ratio (limit $limit)"
  awk -v r="$ratio" -v l="$limit" 'BEGIN { exit !(r != "inf" && r <= l) }' ||
    fail "at $screen, $dpi DPI the saver used $ratio times the floor's CPU time, more than $limit"
done
rm -rf "$CASE_DIR/template"
