#!/bin/bash
# lomlom under the real XScreenSaver daemon, as its only module (lomlom -root). The daemon will not
# start modules as root, so an unprivileged user made for the case runs Xvfb, the daemon and its
# commands, with a home of its own: -activate shows the creature (a frame of the renderer's on the
# screen), -deactivate ends lomlom within 2 s and leaves none of its processes behind.
source "$(dirname "$0")/lomlom-lib.sh"
begin_linux_case daemon own-display
command -v xscreensaver >/dev/null || abort "xscreensaver not installed (scripts/setup.sh)"
user=lomlom-e2e-$$
home="$CASE_DIR/home"

# The user goes last, once everything it ran has ended.
end_daemon_case() {
  local status=$?
  as_user xscreensaver-command -exit >/dev/null 2>&1
  cleanup
  id "$user" >/dev/null 2>&1 && { userdel "$user" || fail "could not remove the user $user"; }
  (exit "$status")
  finish
}
as_user() { timeout 20 runuser -u "$user" -- env HOME="$home" DISPLAY="${DISPLAY:-}" PATH=/usr/bin:/bin "$@"; }
trap end_daemon_case EXIT

useradd -M -d "$home" -s /bin/sh "$user" || abort "could not make the user $user"
mkdir -p "$home/bin"
cp "$LOMLOM" "$home/bin/lomlom"
cat >"$home/.xscreensaver" <<PREFS
mode: one
selected: 0
lock: False
splash: False
fade: False
unfade: False
timeout: 0:30:00
programs: $home/bin/lomlom -root \\n
PREFS
chown -R "$user" "$home"
chmod 755 "$CASE_DIR"

render_entry_logs 1024 768 250

# The user's own Xvfb on the first free display from the case's base on.
for ((number = E2E_DISPLAY_BASE; number < E2E_DISPLAY_BASE + 40; number++)); do
  [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
  runuser -u "$user" -- Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset >"$CASE_DIR/xvfb.log" 2>&1 &
  E2E_XVFB_PID=$!
  export DISPLAY=":$number"
  wait_until 10000 display_settled && alive "$E2E_XVFB_PID" && break
  stop_pid "$E2E_XVFB_PID"
  E2E_XVFB_PID=
done
[[ -n "$E2E_XVFB_PID" ]] || abort "no free X display for the daemon's user"

runuser -u "$user" -- env HOME="$home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin \
  ASAN_OPTIONS="log_path=$home/sanitizer" LSAN_OPTIONS="$LSAN_OPTIONS" xscreensaver -no-splash \
  >"$CASE_DIR/daemon.log" 2>&1 &
E2E_PIDS+=($!)
wait_until 15000 as_user xscreensaver-command -time >/dev/null 2>&1 || abort "the daemon did not answer"

# lomlom's processes of the user that have not ended. The daemon's helper that starts modules may
# end first, leaving an ended module to a process 1 that reaps late: a zombie has ended too.
module_pids() { ps -u "$user" -o pid=,stat=,comm= | awk '$2 !~ /^Z/ && $3 == "lomlom" { print $1 }'; }
module_pid() { module_pids | head -n 1; }
running() { [[ -n "$(module_pids | grep -x "$1")" ]] && echo running || echo ended; }
as_user xscreensaver-command -activate >"$CASE_DIR/activate.log" 2>&1
wait_until 15000 eval '[[ -n "$(module_pid)" ]]' || abort "the daemon started no lomlom within 15 s"
pid=$(module_pid)
note "lomlom pid $pid: $(tr '\0' ' ' </proc/"$pid"/cmdline)"
shown() {
  /usr/bin/python3 "$LINUX_DIR/shot_matches.py" --depth 24 --out "$CASE_DIR/screen.xwd" "${ENTRY_LOGS[@]}" \
    >"$CASE_DIR/shot.txt" 2>&1
}
wait_until 15000 shown
expect "the screen shows a frame of the renderer's" 0 "$(shown; echo $?)"
cat "$CASE_DIR/shot.txt"

# Some seconds on, as a user's activity comes; the daemon may not take it just as it has blanked.
sleep 3
expect "lomlom still running before -deactivate" running "$(running "$pid")"
as_user xscreensaver-command -deactivate >"$CASE_DIR/deactivate.log" 2>&1
wait_until 2000 eval '[[ "$(running '"$pid"')" == ended ]]'
expect "lomlom ended within 2 s of -deactivate" ended "$(running "$pid")"
expect "no lomlom process of the user left" "" "$(module_pids)"
expect "no sanitizer report" "" "$(grep -l "ERROR" "$home"/sanitizer* 2>/dev/null)"
