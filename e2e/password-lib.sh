# shellcheck shell=bash
# Shared by the password cases: the fixture components (e2e/fixtures) installed into the prefix, the
# saver reported as Windows 95, the user's password setting, and what the fixtures logged.
#
# Inputs (environment), besides those of lib.sh: E2E_FIXTURES, the folder of password.cpl and mpr.dll.

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

FIXTURE_DIR=

# begin_password_case NAME: begin_case, with the fixtures' folder C:\fixture made in the prefix.
begin_password_case() {
  begin_case "$1"
  require_file "fixture verifier" "${E2E_FIXTURES:-}/password.cpl"
  require_file "fixture password change" "${E2E_FIXTURES:-}/mpr.dll"
  FIXTURE_DIR=$E2E_PREFIX/drive_c/fixture
  mkdir -p "$FIXTURE_DIR"
}

# install_fixture FIXTURE PATH: a fixture (password.cpl or mpr.dll) copied to PATH, relative to drive C.
install_fixture() {
  mkdir -p "$(dirname "$E2E_PREFIX/drive_c/$2")"
  cp "$E2E_FIXTURES/$1" "$E2E_PREFIX/drive_c/$2" || abort "could not install $1 as C:/$2"
}

# set_registry LINE...: .reg lines imported into the prefix's registry.
set_registry() {
  local file=$CASE_DIR/settings.reg
  { echo "Windows Registry Editor Version 5.00"; echo; printf '%s\n' "$@"; } >"$file"
  timeout 60 "$WINE" reg import "Z:$file" >"$CASE_DIR/reg.log" 2>&1 || abort "could not import $file"
}

# shellcheck disable=SC2034  # read by the cases
WINDOWS_95='[HKEY_CURRENT_USER\Software\Wine\AppDefaults\lomlom.scr]
"Version"="win95"'

# password_setting dword:N | -: the user's ScreenSaveUsePassword, or none ("-").
password_setting() {
  printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"ScreenSaveUsePassword"=%s\n' "$1"
}

# answers WORD...: what the verifier answers, one word per call (accept, refuse, refuse-then-key,
# refuse-then-late-key).
answers() { echo "$*" >"$FIXTURE_DIR/answers"; }

# log_lines FILE: the lines a fixture logged into C:\fixture\FILE (none when it does not exist).
log_lines() { tr -d '\r' <"$FIXTURE_DIR/$1" 2>/dev/null; }

log_count() { log_lines "$1" | grep -c .; }

# verifier_asked N: true once the verifier has been asked N times.
verifier_asked() { (($(log_count verifier.log) >= $1)); }

# log_field FILE LINE KEY: KEY's value in line LINE (from 1) of a fixture log.
log_field() { log_lines "$1" | sed -n "$2p" | tr ' ' '\n' | sed -n "s/^$3=//p"; }

# The modules the fixtures saw loaded, lower case, on one line.
loaded_modules() { log_lines loaded.log | tr '[:upper:]' '[:lower:]' | paste -sd ' '; }

# run_saver_until_key NAME COMMAND_LINE: starts the saver, waits for its window, presses a key.
run_saver_until_key() {
  spawn_saver "$1" "$2"
  wait_saver_window "$1"
  xdo key space
}
