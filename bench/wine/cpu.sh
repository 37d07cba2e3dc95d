#!/bin/bash
# CPU time of the saver under Wine against the least a saver can do: timer_floor.exe, a full-screen
# window with a 110 ms timer that copies one 100x100 rectangle per tick. Both run in the same Xvfb
# (1024x768, depth 24), one after the other, each in its own copy of a prefix made for this run.
# After a settling time, the user and system time of every Wine process of the prefix (the program,
# wineserver, explorer.exe and Wine's other services) is summed from /proc over SECONDS seconds;
# Xvfb's own time is not counted. Prints both figures and their ratio; exits 1 when the ratio
# exceeds LIMIT.
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
start_display
make_bench_template "$CASE_DIR/template"

# The floor ends by itself well after the measurement; the script ends it first.
measure floor "Timer floor" "$floor" $(((settle + seconds + 60) * 1000))
measure saver "Screen Saver" "$saver" /s
rm -rf "$CASE_DIR/template"

floor_s=$(sed -n 's/^cpu_s=\([0-9.]*\).*/\1/p' "$CASE_DIR/floor.cpu")
saver_s=$(sed -n 's/^cpu_s=\([0-9.]*\).*/\1/p' "$CASE_DIR/saver.cpu")
ratio=$(awk -v s="$saver_s" -v f="$floor_s" 'BEGIN { if (f > 0) printf "%.2f", s / f; else print "inf" }')
echo "$E2E_BUILD CPU seconds over $seconds s: timer floor $floor_s, saver $saver_s"
echo "ratio=$ratio (limit $limit)"
awk -v r="$ratio" -v l="$limit" 'BEGIN { exit !(r != "inf" && r <= l) }' ||
  fail "the saver used $ratio times the floor's CPU time, more than $limit"
