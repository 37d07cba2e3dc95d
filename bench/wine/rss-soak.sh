#!/bin/bash
# The real 64-bit saver in saving mode under Wine for MINUTES minutes (Xvfb 1024x768, depth 24, its
# own prefix made for the run): the resident memory (VmRSS) of the process that runs lomlom.scr is
# sampled every SAMPLE_SECONDS seconds, with its thread count, and must stay flat. A key ends the
# saver, which must exit with 0.
#
# Wine plays the saver's sounds on threads of its own (measured: with Sound = 0 the saver keeps one
# thread and 28,932 kB to the kilobyte; with sound it has 2 to 4 threads, and each thread beyond the
# second adds 976 kB of stack while it lives, 35,500 kB with 2 and 36,476 kB with 3). Samples are
# therefore compared at equal thread counts: for each count, the last sample against the first one
# taken after the warm-up, one whole cycle of the choreography (536 ticks, 59 s: every action, logo,
# sound and quadrant has been drawn and every page the drawing uses has been touched). The end,
# the last sample, is thus compared with the first sample after the warm-up that has as many
# threads. No comparison may show growth beyond TOLERANCE_KB, 64 kB: at an equal thread count the
# resident memory stood still to the kilobyte for minutes in the measured runs (a steady saver
# allocates nothing per tick), so 64 kB leaves room for a few pages that Wine's own heaps may still
# take; a leak of one 32-byte block per tick (48 bytes with the heap's header, 2,200 ticks after
# the warm-up) comes to 103 kB and fails, a leaked GDI object or device context per tick far sooner.
#
# usage: bench/wine/rss-soak.sh [MINUTES]   (5 by default, at least 2; needs the build E2E_BUILD names)
# Environment: E2E_BUILD (win64 or win32), SAVER_SCR (default build/$E2E_BUILD/lomlom.scr), SAMPLE_SECONDS (5), TOLERANCE_KB (64),
# WINE_SOAK_WORK (folder for logs), WINE_SOAK_DISPLAY_BASE (first X display number to try, 210).
source "$(dirname "$0")/wine_proc.sh"

minutes=${1:-5}
every=${SAMPLE_SECONDS:-5}
tolerance=${TOLERANCE_KB:-64}
warm_up=60
saver=${SAVER_SCR:-$BENCH_REPO/build/$E2E_BUILD/lomlom.scr}
CASE_DIR=${WINE_SOAK_WORK:-$BENCH_REPO/build/$E2E_BUILD/bench/wine/rss-soak}
E2E_DISPLAY_BASE=${WINE_SOAK_DISPLAY_BASE:-210}

[[ "$minutes" =~ ^[0-9]+$ ]] && ((minutes >= 2)) || { echo "usage: rss-soak.sh [MINUTES]  (at least 2)"; exit 2; }
rm -rf "$CASE_DIR"
mkdir -p "$CASE_DIR"
require_wine "$CASE_DIR"
trap finish EXIT
trap 'fail "interrupted"; exit 1' INT TERM
require_file "saver" "$saver"
start_display
make_bench_template "$CASE_DIR/template"
use_prefix "$CASE_DIR/template" saver
rm -rf "$CASE_DIR/template"
cp "$saver" "$E2E_PREFIX/drive_c/bench/lomlom.scr"

start=$(now_ms)
"$WINE" 'C:\bench\lomlom.scr' /s >"$CASE_DIR/saver.log" 2>&1 &
wine_pid=$!
E2E_PIDS+=("$wine_pid")
wait_until 30000 window_shown "Screen Saver" || abort "no saver window within 30 s"
pid=$(saver_pid "$E2E_PREFIX") || abort "no Wine process runs lomlom.scr"
note "the saver runs as pid $pid ($(process_name "$pid")), for $minutes minutes"

samples=()
deadline=$((start + minutes * 60000))
while (($(now_ms) < deadline)); do
  sleep "$every"
  alive "$pid" || abort "the saver ended after $((($(now_ms) - start) / 1000)) s"
  samples+=("$((($(now_ms) - start) / 1000)):$(rss_kb "$pid"):$(ls "/proc/$pid/task" | wc -l)")
done
printf '%s\n' "${samples[@]}" | tr ':' ' ' >"$CASE_DIR/rss.samples"

xdo key space
exit_code=unknown
wait_until 10000 eval "! alive $wine_pid" && { wait "$wine_pid"; exit_code=$?; }
expect "exit code after a key press" 0 "$exit_code"

echo "samples (seconds:VmRSS kB:threads): ${samples[*]}"
first=${samples[0]#*:}
echo "rss_kb start=${first%%:*} after_warm_up=$(awk -v warm="$warm_up" '$1 >= warm { print $2; exit }' "$CASE_DIR/rss.samples")" \
  "end=$(tail -n 1 "$CASE_DIR/rss.samples" | cut -d' ' -f2)" \
  "max=$(cut -d' ' -f2 "$CASE_DIR/rss.samples" | sort -n | tail -n 1) tolerance=$tolerance"
# Columns of rss.samples: seconds, kB, threads. One line per thread count seen after the warm-up.
awk -v warm="$warm_up" '
  $1 < warm { next }
  !($3 in first) { first[$3] = $2; from[$3] = $1 }
  { last[$3] = $2; to[$3] = $1 }
  END { for (t in first) print t, first[t], last[t], last[t] - first[t], from[t], to[t] }' \
  "$CASE_DIR/rss.samples" | sort -n >"$CASE_DIR/rss.growth"
[[ -s "$CASE_DIR/rss.growth" ]] || abort "no sample after the warm-up"
while read -r threads reference end growth from to; do
  echo "at $threads threads: $reference kB at $from s, $end kB at $to s, growth $growth kB"
  ((growth <= tolerance)) ||
    fail "resident memory at $threads threads grew by $growth kB after the warm-up, more than $tolerance kB"
done <"$CASE_DIR/rss.growth"
