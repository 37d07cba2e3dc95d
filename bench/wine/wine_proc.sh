# shellcheck shell=bash
# What the Wine processes of one prefix cost, read from /proc. Sourced after e2e/lib.sh by cpu.sh
# and rss-soak.sh, which follow its rules: own display, own prefix, own pids, bounded waits.

BENCH_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../e2e/lib.sh
source "$BENCH_REPO/e2e/lib.sh"

CLOCK_TICKS=$(getconf CLK_TCK)

# prefix_pids PREFIX: the Linux pids of the Wine processes of that prefix, wineserver included: the
# processes started with it in their environment whose program is Wine's own (not the helpers that
# this script starts meanwhile).
prefix_pids() {
  local file pid
  for file in $(grep -lzxF "WINEPREFIX=$1" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${file#/proc/}
    pid=${pid%/environ}
    [[ "$(readlink "/proc/$pid/exe" 2>/dev/null)" == /usr/lib/wine/* ]] && echo "$pid"
  done
}

# cpu_ticks PID: user plus system time of that process in clock ticks, nothing when it is gone.
cpu_ticks() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
  # Fields after the command name, which may hold spaces: state is the first, utime the 12th.
  stat=${stat##*) }
  awk '{ print $12 + $13 }' <<<"$stat"
}

# process_name PID: the name Wine gives the process (lomlom.scr, wineserver, explorer.exe, ...).
process_name() { cat "/proc/$1/comm" 2>/dev/null || echo "?"; }

# cpu_snapshot PREFIX: "pid ticks name" for every Wine process of the prefix.
cpu_snapshot() {
  local pid
  for pid in $(prefix_pids "$1"); do
    echo "$pid $(cpu_ticks "$pid") $(process_name "$pid")"
  done
}

# saver_pid PREFIX: the pid of the Wine process that runs lomlom.scr.
saver_pid() {
  local pid
  for pid in $(prefix_pids "$1"); do
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qi 'lomlom\.scr' && { echo "$pid"; return 0; }
  done
  return 1
}

# rss_kb PID: resident memory of that process in kB.
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null; }

# make_bench_template DIR: a fresh Wine prefix made the way the end-to-end tests make theirs.
make_bench_template() {
  bash "$E2E_DIR/make-template-prefix.sh" "$1" >"$CASE_DIR/template.log" 2>&1 ||
    abort "could not make the Wine prefix: $(tail -n 1 "$CASE_DIR/template.log")"
}

# use_prefix TEMPLATE NAME: a copy of the template for one program, made the case's prefix.
use_prefix() {
  E2E_PREFIX="$CASE_DIR/prefix-$2"
  rm -rf "$E2E_PREFIX"
  cp -a "$1" "$E2E_PREFIX" || abort "could not copy the Wine prefix"
  export WINEPREFIX="$E2E_PREFIX"
  mkdir -p "$E2E_PREFIX/drive_c/bench"
}

# end_prefix: ends every process of the current prefix and removes it.
end_prefix() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do
    stop_pid "$pid"
  done
  timeout 10 "$WINESERVER" -k 2>/dev/null
  timeout 10 "$WINESERVER" -w 2>/dev/null
  for pid in "${E2E_PIDS[@]}"; do
    wait "$pid" 2>/dev/null
  done
  E2E_PIDS=()
  rm -rf "$E2E_PREFIX"
  E2E_PREFIX=
  unset WINEPREFIX
}

# window_shown TITLE: true once a visible X window has that title.
window_shown() { timeout 5 xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# measure NAME TITLE EXE ARGS...: the CPU time of the prefix's Wine processes over the measured
# seconds, as "cpu_s=... name:seconds ..." in NAME.cpu; the caller sets settle and seconds and has
# made the template prefix in CASE_DIR/template.
measure() {
  local name=$1 title=$2 exe=$3
  shift 3
  use_prefix "$CASE_DIR/template" "$name"
  cp "$exe" "$E2E_PREFIX/drive_c/bench/"
  "$WINE" "C:\\bench\\$(basename "$exe")" "$@" >"$CASE_DIR/$name.log" 2>&1 &
  E2E_PIDS+=($!)
  wait_until 30000 window_shown "$title" || abort "$name showed no window \"$title\" within 30 s"
  sleep "$settle"
  cpu_snapshot "$E2E_PREFIX" >"$CASE_DIR/$name.before"
  sleep "$seconds"
  cpu_snapshot "$E2E_PREFIX" >"$CASE_DIR/$name.after"
  alive "${E2E_PIDS[0]}" || abort "$name ended before the measurement did"
  # A process seen only at the end counts from its start.
  awk -v hz="$CLOCK_TICKS" '
    NR == FNR { before[$1] = $2; next }
    { spent = ($2 - before[$1]) / hz; total += spent; parts = parts sprintf(" %s:%.2f", $3, spent) }
    END { printf "cpu_s=%.2f%s\n", total, parts }' "$CASE_DIR/$name.before" "$CASE_DIR/$name.after" \
    >"$CASE_DIR/$name.cpu"
  note "$name: $(cat "$CASE_DIR/$name.cpu")"
  end_prefix
}
