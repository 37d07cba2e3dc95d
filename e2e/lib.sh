# shellcheck shell=bash
# Shared by the end-to-end cases: each case gets its own X display and its own copy of the template
# Wine prefix, every wait has a deadline, and everything a case starts is ended by process id on exit.
#
# Inputs (environment): E2E_BUILD, E2E_SCR, E2E_DRIVER, E2E_TEMPLATE (prefix made by
# make-template-prefix.sh), E2E_WORK (folder for logs and screenshots), E2E_DISPLAY_BASE (first X
# display number to try).
#
# E2E_BUILD names the Windows build under test: win64 (the default) or win32. It chooses WINE, the
# Wine loader that runs that build's programs (/usr/lib/wine/wine64, or the wine wrapper, which
# runs 32-bit programs), and WINEARCH for the prefixes made. A 32-bit prefix cannot run 64-bit
# programs, so every Windows program a case runs comes from the same build as the saver.

set -u

export E2E_BUILD=${E2E_BUILD:-win64}
case $E2E_BUILD in
  win64) WINE=/usr/lib/wine/wine64 ;;
  win32) WINE=/usr/bin/wine ;;
  *) echo "FAIL: E2E_BUILD must be win64 or win32, not '$E2E_BUILD'"; exit 1 ;;
esac
export WINEARCH=$E2E_BUILD
WINESERVER=/usr/lib/wine/wineserver
SCREEN_WIDTH=1024
SCREEN_HEIGHT=768
# Xvfb's depth: 8 (a palette display), 16 or 24 (which Windows programs see as 32 bits a pixel).
SCREEN_DEPTH=${E2E_SCREEN_DEPTH:-24}
# shellcheck disable=SC2034  # read by the cases
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=e2e/expect.sh
source "$E2E_DIR/expect.sh"

export WINEDEBUG=-all
# No Mono or Gecko prompts, and no desktop menu entries written into the user's home.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

E2E_PIDS=()
E2E_XVFB_PID=
E2E_PREFIX=
CASE_DIR=

# The smallest static i386 program: ELF header, one loadable segment and "mov eax, 1; mov ebx, 42;
# int 0x80" (exit with 42). It needs no library, so only the kernel decides whether it runs.
IA32_PROBE='\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08\x34\0\0\0\0\0\0\0\0\0\0\0'
IA32_PROBE+='\x34\0\x20\0\x01\0\0\0\0\0\0\0\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08\x60\0\0\0\x60\0\0\0'
IA32_PROBE+='\x05\0\0\0\0\x10\0\0\xb8\x01\0\0\0\xbb\x2a\0\0\0\xcd\x80'

# require_wine FOLDER: Wine is there for the build. A 32-bit case on a machine whose kernel runs no
# 32-bit programs ends here, skipped, before anything is started: decided by running one (written
# into FOLDER), never assumed. Anything else that stops the probe fails the case.
require_wine() {
  [[ -x "$WINE" && -x "$WINESERVER" ]] || { echo "FAIL: Wine missing (scripts/setup.sh installs it)"; exit 1; }
  [[ "$E2E_BUILD" == win32 ]] || return 0
  local probe=$1/ia32-probe reason
  printf "$IA32_PROBE" >"$probe" && chmod +x "$probe" || { echo "FAIL: could not write $probe"; exit 1; }
  reason=$(LC_ALL=C bash -c 'exec "$0"' "$probe" 2>&1)
  local status=$?
  reason=${reason%%$'\n'*}
  case "$status:$reason" in
    42:) [[ -x /usr/lib/wine/wine ]] || { echo "FAIL: 32-bit Wine missing (scripts/setup.sh installs wine32)"; exit 1; } ;;
    *"Exec format error"*) echo "SKIP: this machine cannot run 32-bit programs: $reason"; exit 77 ;; # ctest's SKIP_RETURN_CODE
    *) echo "FAIL: could not tell whether 32-bit programs run here: exit $status $reason"; exit 1 ;;
  esac
}

now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }

note() { echo "[$(date +%T)] $*"; }

# Stops the case at once; the exit trap still cleans up.
abort() {
  fail "$*"
  exit 1
}

# value FILE KEY: the value of the first KEY=... line, or nothing.
value() { sed -n "s/^$2=//p" "$1" 2>/dev/null | head -n 1; }

# wait_until TIMEOUT_MS COMMAND...: polls COMMAND until it succeeds; fails when the time is up.
wait_until() {
  local deadline=$(($(now_ms) + $1))
  shift
  until "$@"; do
    (($(now_ms) >= deadline)) && return 1
    sleep 0.05
  done
}

has_line() { grep -q "^$2=" "$1" 2>/dev/null; }

alive() { kill -0 "$1" 2>/dev/null; }

# stop_pid PID: TERM, a bounded wait, then KILL.
stop_pid() {
  alive "$1" || return 0
  kill -TERM "$1" 2>/dev/null
  wait_until 3000 eval "! kill -0 $1 2>/dev/null" || kill -KILL "$1" 2>/dev/null
}

cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do
    stop_pid "$pid"
  done
  if [[ -n "$E2E_PREFIX" && -d "$E2E_PREFIX" ]]; then
    WINEPREFIX="$E2E_PREFIX" timeout 10 "$WINESERVER" -k 2>/dev/null
    WINEPREFIX="$E2E_PREFIX" timeout 10 "$WINESERVER" -w 2>/dev/null
    rm -rf "$E2E_PREFIX"
  fi
  [[ -n "$E2E_XVFB_PID" ]] && stop_pid "$E2E_XVFB_PID"
  for pid in "${E2E_PIDS[@]}"; do
    wait "$pid" 2>/dev/null
  done
}

finish() {
  local status=$?
  cleanup
  if ((E2E_FAILURES > 0 || status != 0)); then
    echo "case failed ($E2E_FAILURES failed checks); logs and screenshots in $CASE_DIR"
    exit 1
  fi
  echo "case passed"
  exit 0
}

require_file() {
  [[ -f "$2" ]] || abort "$1 not found at $2 (build it first: bash scripts/build.sh)"
}

# Starts Xvfb on the first free display from E2E_DISPLAY_BASE on; a display taken meanwhile by
# someone else makes Xvfb exit, and the next number is tried.
start_display() {
  local number=$E2E_DISPLAY_BASE
  local last=$((E2E_DISPLAY_BASE + 40))
  for ((; number < last; number++)); do
    [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
    # -noreset keeps the pointer where the case put it between client connections; -wr makes any part
    # of the screen that the saver leaves uncovered white.
    Xvfb ":$number" -screen 0 "${SCREEN_WIDTH}x${SCREEN_HEIGHT}x${SCREEN_DEPTH}" -nolisten tcp -noreset -wr \
      >"$CASE_DIR/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    export DISPLAY=":$number"
    if wait_until 10000 display_settled && alive "$E2E_XVFB_PID"; then
      note "Xvfb pid $E2E_XVFB_PID on $DISPLAY"
      return 0
    fi
    stop_pid "$E2E_XVFB_PID"
    E2E_XVFB_PID=
  done
  abort "no free X display between :$E2E_DISPLAY_BASE and :$last"
}

# True once Xvfb answers, or once it has given up.
display_settled() {
  ! alive "$E2E_XVFB_PID" || timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1
}

# The saver and the driver live inside the prefix, so a rebuild during the run cannot change them.
make_prefix() {
  [[ -f "$E2E_TEMPLATE/system.reg" ]] || abort "template prefix missing at $E2E_TEMPLATE (run the e2e_prefix_template test)"
  E2E_PREFIX="$CASE_DIR/prefix"
  cp -a "$E2E_TEMPLATE" "$E2E_PREFIX" || abort "could not copy the template prefix"
  export WINEPREFIX="$E2E_PREFIX"
  mkdir -p "$E2E_PREFIX/drive_c/saver"
  cp "$E2E_SCR" "$E2E_PREFIX/drive_c/saver/lomlom.scr"
  cp "$E2E_DRIVER" "$E2E_PREFIX/drive_c/e2e_driver.exe"
}

# begin_case NAME: fresh case folder, inputs checked, display and prefix ready.
begin_case() {
  local name
  for name in E2E_SCR E2E_DRIVER E2E_TEMPLATE E2E_WORK E2E_DISPLAY_BASE; do
    [[ -n "${!name:-}" ]] || { echo "FAIL: $name is not set (ctest sets it)"; exit 1; }
  done
  CASE_DIR="$E2E_WORK/$1"
  rm -rf "$CASE_DIR"
  mkdir -p "$CASE_DIR"
  require_wine "$CASE_DIR"
  trap finish EXIT
  trap 'fail "interrupted"; exit 1' INT TERM
  local tool
  for tool in Xvfb xdotool xwd convert; do
    command -v "$tool" >/dev/null || abort "$tool not found (install xvfb, xdotool, x11-apps, imagemagick)"
  done
  require_file "saver" "$E2E_SCR"
  require_file "e2e driver" "$E2E_DRIVER"
  start_display
  make_prefix
}

# split_monitors NAME GEOMETRY OTHER_NAME OTHER_GEOMETRY: the one X screen split by xrandr into two
# monitors (Xvfb's own +xinerama would overlap them), each geometry as xrandr takes it
# (W/MMxH/MM+X+Y); the first is the main one. Wine then reads them through Xinerama, which it takes
# when its server starts afresh.
split_monitors() {
  command -v xrandr >/dev/null || abort "xrandr not found (install x11-xserver-utils)"
  timeout 10 xrandr --setmonitor "$1" "$2" screen >"$CASE_DIR/xrandr.log" 2>&1 &&
    timeout 10 xrandr --setmonitor "$3" "$4" none >>"$CASE_DIR/xrandr.log" 2>&1 ||
    abort "xrandr could not split the screen (see $CASE_DIR/xrandr.log)"
  timeout 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1 ||
    abort "could not set UseXRandR in the prefix"
  timeout 60 "$WINESERVER" -w
}

# driver OUTPUT TIMEOUT_S ARGS...: runs the driver to its end.
driver() {
  local output=$1 seconds=$2
  shift 2
  timeout "$seconds" "$WINE" "$E2E_PREFIX/drive_c/e2e_driver.exe" "$@" >"$output" 2>"$output.err"
}

# spawn_saver NAME COMMAND_LINE [TIMEOUT_MS]: the driver starts the command line in the background
# and reports the saver's exit code into NAME.out when it ends (60 s at most unless told).
spawn_saver() {
  "$WINE" "$E2E_PREFIX/drive_c/e2e_driver.exe" spawn "${3:-60000}" "$2" >"$CASE_DIR/$1.out" 2>"$CASE_DIR/$1.err" &
  E2E_PIDS+=($!)
}

# wait_saver_window NAME: the saver window's description into NAME.windows.
wait_saver_window() {
  driver "$CASE_DIR/$1.windows" 30 saver-windows 15000
  [[ "$(value "$CASE_DIR/$1.windows" count)" -ge 1 ]] 2>/dev/null && return 0
  grep '^other_window' "$CASE_DIR/$1.windows"
  screenshot "$1-missing"
  abort "no saver window appeared within 15 s (see $CASE_DIR/$1.out and the screenshot $1-missing.png)"
}

# saver_exit NAME TIMEOUT_MS: prints the exit code reported for NAME, or "still running".
saver_exit() {
  if wait_until "$2" has_line "$CASE_DIR/$1.out" exit; then
    value "$CASE_DIR/$1.out" exit
  else
    echo "still running"
  fi
}

# screenshot NAME: the whole screen as NAME.xwd and NAME.png.
screenshot() {
  timeout 20 xwd -root -silent >"$CASE_DIR/$1.xwd" || abort "xwd failed"
  timeout 20 convert "xwd:$CASE_DIR/$1.xwd" "$CASE_DIR/$1.png" 2>/dev/null
}

# xdo ARGS...: xdotool with a deadline.
xdo() { timeout 10 xdotool "$@" || fail "xdotool $* did not work"; }

pointer_at() { [[ "$(timeout 5 xdotool getmouselocation 2>/dev/null)" == "x:$1 y:$2 "* ]]; }
