# shellcheck shell=bash
# Shared by the cases of lomlom, the native module: the e2e helpers without Wine, a case folder, an
# Xvfb of the case's own, the renderer's frame logs for every entry point, and lomlom run under the
# address sanitizer with its report kept in the case folder.
#
# Inputs (environment): LOMLOM, E2E_RENDER, E2E_WORK, E2E_DISPLAY_BASE.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
LINUX_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export LSAN_OPTIONS="suppressions=$LINUX_DIR/lsan.supp"

# begin_linux_case NAME [own-display]: fresh case folder, and a display unless the case makes its own.
begin_linux_case() {
  local name
  for name in LOMLOM E2E_RENDER E2E_WORK E2E_DISPLAY_BASE; do
    [[ -n "${!name:-}" ]] || { echo "FAIL: $name is not set (ctest sets it)"; exit 1; }
  done
  CASE_DIR="$E2E_WORK/$1"
  rm -rf "$CASE_DIR"
  mkdir -p "$CASE_DIR"
  trap finish EXIT
  trap 'fail "interrupted"; exit 1' INT TERM
  [[ -x "$LOMLOM" ]] || abort "lomlom not found at $LOMLOM (build the native preset)"
  [[ -x "$E2E_RENDER" ]] || abort "lomlom-render not found at $E2E_RENDER"
  [[ "${2:-}" == own-display ]] || start_display
}

# render_entry_logs WIDTH HEIGHT TICKS: one frame log (and sound log) per entry point of the cycle,
# as frames-ACTION-WxH.txt and sounds-ACTION-WxH.txt, at the bits a pixel of SCREEN_DEPTH; their
# paths go into ENTRY_LOGS.
render_entry_logs() {
  local size="$1x$2" seed first action bits=32
  ((SCREEN_DEPTH == 16)) && bits=16
  declare -A seed_of=()
  for ((seed = 0; seed < 64 && ${#seed_of[@]} < 5; seed++)); do
    "$E2E_RENDER" saving --size "$size" --depth "$bits" --seed "$seed" --ticks 1 --frame-log "$CASE_DIR/probe.txt" ||
      abort "lomlom-render failed"
    first=$(awk '!/^#/ {print $3}' "$CASE_DIR/probe.txt")
    [[ -z "${seed_of[$first]:-}" ]] && seed_of[$first]=$seed
  done
  ((${#seed_of[@]} == 5)) || abort "found seeds for only ${#seed_of[@]} entry points"
  ENTRY_LOGS=()
  for action in "${!seed_of[@]}"; do
    "$E2E_RENDER" saving --size "$size" --depth "$bits" --seed "${seed_of[$action]}" --ticks "$3" \
      --frame-log "$CASE_DIR/frames-$action-$size.txt" --sound-log "$CASE_DIR/sounds-$action-$size.txt" ||
      abort "lomlom-render failed for the entry point $action"
    ENTRY_LOGS+=("$CASE_DIR/frames-$action-$size.txt")
  done
}

# open_window W H: a window of the test's own (x_window.py), its id in WINDOW, in place of the one
# before; commands go to window_command.
open_window() {
  # Bash forgets a coprocess's pid once it has ended.
  local before=${WINDOW_PROC_PID:-}
  if [[ -n "$before" ]]; then
    stop_pid "$before"
    wait "$before" 2>/dev/null
  fi
  coproc WINDOW_PROC { exec /usr/bin/python3 "$LINUX_DIR/x_window.py" "$1" "$2"; }
  E2E_PIDS+=("$WINDOW_PROC_PID")
  read -r -t 10 WINDOW <&"${WINDOW_PROC[0]}" || abort "the test's window did not open"
}

# window_command TEXT: "resize W H" or "destroy", done once the window's program says so.
window_command() {
  local answer
  echo "$1" >&"${WINDOW_PROC[1]}"
  read -r -t 10 answer <&"${WINDOW_PROC[0]}" && [[ "$answer" == "done" ]] || fail "window command '$1' not done"
}

# start_lomlom NAME ARGS...: lomlom in the background, its pid in LOMLOM_PID, its output in NAME.out
# and NAME.err, its exit code in NAME.code once it ends.
start_lomlom() {
  local name=$1
  shift
  rm -f "$CASE_DIR/$name.pid" "$CASE_DIR/$name.code"
  (
    "$LOMLOM" "$@" >"$CASE_DIR/$name.out" 2>"$CASE_DIR/$name.err" &
    echo $! >"$CASE_DIR/$name.pid"
    wait $!
    echo $? >"$CASE_DIR/$name.code"
  ) &
  E2E_PIDS+=($!)
  wait_until 5000 test -s "$CASE_DIR/$name.pid" || abort "lomlom did not start"
  LOMLOM_PID=$(cat "$CASE_DIR/$name.pid")
  E2E_PIDS+=("$LOMLOM_PID")
}

# lomlom_exit NAME TIMEOUT_MS: prints lomlom's exit code, or "still running", and "sanitizer report"
# after it when NAME.err holds one.
lomlom_exit() {
  if wait_until "$2" test -s "$CASE_DIR/$1.code"; then
    cat "$CASE_DIR/$1.code"
  else
    echo "still running"
  fi
  if grep -q "ERROR: \(Address\|Leak\)Sanitizer\|runtime error" "$CASE_DIR/$1.err"; then
    echo "sanitizer report"
  fi
}
