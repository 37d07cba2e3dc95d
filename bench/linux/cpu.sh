#!/bin/bash
# lomlom, the native module, against the Windows saver under Wine: both full-screen on the same Xvfb
# (1920x1080, depth 24), one after the other. After a settling time, the user and system time of
# lomlom, and of every Wine process of the saver's prefix, are read from /proc over SECONDS seconds
# (Xvfb's own time is not counted, for either), and lomlom's peak resident memory. Prints the
# figures; exits 1 when lomlom used more than LIMIT times the Wine saver's CPU time or more than
# RSS_LIMIT_KB.
#
# usage: bench/linux/cpu.sh [SECONDS]   (60 by default; needs the win64 and linux builds)
# Environment: SAVER_SCR, LOMLOM (release build), LIMIT (0.5), RSS_LIMIT_KB (30720), SETTLE_SECONDS
# (5), LINUX_CPU_WORK (folder for logs), LINUX_CPU_DISPLAY_BASE (first X display number, 260).
source "$(dirname "$0")/../wine/wine_proc.sh"

seconds=${1:-60}
limit=${LIMIT:-0.5}
rss_limit=${RSS_LIMIT_KB:-30720}
settle=${SETTLE_SECONDS:-5}
saver=${SAVER_SCR:-$BENCH_REPO/build/win64/lomlom.scr}
lomlom=${LOMLOM:-$BENCH_REPO/build/linux/linux/lomlom}
CASE_DIR=${LINUX_CPU_WORK:-$BENCH_REPO/build/linux/bench/cpu}
E2E_DISPLAY_BASE=${LINUX_CPU_DISPLAY_BASE:-260}
SCREEN_WIDTH=1920
SCREEN_HEIGHT=1080

[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || { echo "usage: cpu.sh [SECONDS]"; exit 2; }
rm -rf "$CASE_DIR"
mkdir -p "$CASE_DIR"
trap finish EXIT
trap 'fail "interrupted"; exit 1' INT TERM
require_file "saver" "$saver"
require_file "lomlom" "$lomlom"
start_display
make_bench_template "$CASE_DIR/template"

# Wine: every process of the prefix.
measure wine "Screen Saver" "$saver" /s
wine_s=$(sed -n 's/^cpu_s=\([0-9.]*\).*/\1/p' "$CASE_DIR/wine.cpu")
rm -rf "$CASE_DIR/template"

# lomlom: its one process, with sound on as the Wine saver has it (neither has a sound device here).
"$lomlom" -fullscreen >"$CASE_DIR/lomlom.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
sleep "$settle"
alive "$pid" || abort "lomlom ended: $(tail -n 1 "$CASE_DIR/lomlom.log")"
before=$(cpu_ticks "$pid")
sleep "$seconds"
after=$(cpu_ticks "$pid")
rss_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
lomlom_s=$(awk -v a="$after" -v b="$before" -v hz="$CLOCK_TICKS" 'BEGIN { printf "%.2f", (a - b) / hz }')

ratio=$(awk -v l="$lomlom_s" -v w="$wine_s" 'BEGIN { if (w > 0) printf "%.3f", l / w; else print "inf" }')
echo "CPU seconds over $seconds s at 1920x1080: Wine saver $wine_s, lomlom $lomlom_s"
echo "ratio=$ratio (limit $limit)"
echo "lomlom_peak_rss_kb=$rss_kb (limit $rss_limit)"
awk -v r="$ratio" -v l="$limit" 'BEGIN { exit !(r != "inf" && r <= l) }' ||
  fail "lomlom used $ratio times the Wine saver's CPU time, more than $limit"
((rss_kb < rss_limit)) || fail "lomlom's peak resident memory $rss_kb kB is over $rss_limit kB"
