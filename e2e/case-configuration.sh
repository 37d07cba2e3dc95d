#!/bin/bash
# Configuration mode: "/c" opens "Lomlom_action_2 Setup" with its OK, Cancel, "Play sound" check box
# and the "Si&ze:" and "Show &on:" drop-down lists; OK stores the box as Sound and the lists as Size
# and Monitors (REG_DWORD) and exits 1, Cancel stores nothing and exits 0; a Sound in the user's own
# key wins over the machine's; the dialog opened again shows what OK stored. The registry is read
# through Wine itself, which writes its files only lazily.
source "$(dirname "$0")/lib.sh"
begin_case configuration

readonly TITLE="Lomlom_action_2 Setup"
readonly KEY='NUVARIS\ORUScreenSaver\LOMLOM_ACTION_2'
readonly MACHINE='HKLM\SOFTWARE'
readonly USER_ROOT='HKCU\Software'

# reg ARGS...: Wine's reg command in the case's prefix; its status, its output without CRs.
reg() {
  local out
  out=$(timeout 30 "$WINE" reg "$@" 2>/dev/null) || return 1
  printf '%s\n' "${out//$'\r'/}"
}

# stored ROOT: Sound, Size and Monitors in ROOT's saver key, each as its data when it is a REG_DWORD,
# "TYPE DATA" otherwise and "-" when absent; "no key" when not even the company's key exists.
stored() {
  local listing line name
  local -a values=()
  listing=$(reg query "$1\\NUVARIS" /s) || { echo "no key"; return; }
  for name in Sound Size Monitors; do
    line=$(sed -n "s/^ *$name *\(REG_[A-Z_]*\) *\(.*\)\$/\1 \2/p" <<<"$listing")
    line=${line#REG_DWORD }
    values+=("${line:--}")
  done
  echo "${values[*]}"
}

# preset MACHINE_SOUND USER_SOUND: both company keys removed, then Sound stored as a REG_DWORD under
# each root that is given a number ("-" leaves that root without the key). One reg import does it all.
# "=" for the machine's leaves both keys as the scenario before left them.
preset() {
  [[ "$1" == = ]] && return
  local file=$CASE_DIR/preset.reg
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[-HKEY_LOCAL_MACHINE\\SOFTWARE\\NUVARIS]\r\n\r\n[-HKEY_CURRENT_USER\\Software\\NUVARIS]\r\n\r\n'
    [[ "$1" == - ]] || printf '[HKEY_LOCAL_MACHINE\\SOFTWARE\\%s]\r\n"Sound"=dword:%08x\r\n\r\n' "$KEY" "$1"
    [[ "$2" == - ]] || printf '[HKEY_CURRENT_USER\\Software\\%s]\r\n"Sound"=dword:%08x\r\n\r\n' "$KEY" "$2"
  } >"$file"
  reg import "Z:$file" >/dev/null || abort "could not import $file"
}

# The dialog as it opens with no key: title, controls in window order, default button, focus and the
# platform's tab order.
check_layout() {
  local out=$1
  expect "dialog class" "#32770" "$(value "$out" dialog_class)"
  expect "dialog title" "$TITLE" "$(value "$out" dialog_title)"
  local style=$(($(value "$out" dialog_style)))
  expect "dialog styles WS_POPUP|WS_CAPTION|WS_SYSMENU|DS_MODALFRAME|DS_SETFONT|DS_CENTER" 0x80C808C0 \
    "$(printf '0x%08X' $((style & 0x80C808C0)))"
  expect "dialog visible" 1 "$(value "$out" dialog_visible)"
  expect "controls" 8 "$(value "$out" controls)"
  # class, id, text, style of each control in window order; a DIALOG template keeps ids in 16 bits.
  # A combo box hands WS_VSCROLL on to its drop-down list and drops it from its own style.
  local -a controls=(
    "Button|1|OK|0x50010001"
    "Button|2|Cancel|0x50010000"
    "Button|65535|&Sound|0x50020007"
    "Button|1003|Play sound|0x50010003"
    "Static|65535|Si&ze:|0x50020000"
    "ComboBox|1004||0x50010003"
    "Static|65535|Show &on:|0x50020000"
    "ComboBox|1005||0x50010003"
  )
  local i
  for i in "${!controls[@]}"; do
    local n=$((i + 1))
    expect "control $n class|id|text|style" "${controls[$i]}" \
      "$(value "$out" control$n.class)|$(value "$out" control$n.id)|$(value "$out" control$n.title)|$(value "$out" control$n.style)"
  done
  expect "default button" 1 "$(value "$out" default_id)"
  expect "focus on opening" 1 "$(value "$out" focus_id)"
  expect "tab order" "1,2,1003,1004,1005" "$(value "$out" tab_order)"
  expect "Size's items" "As the display scales it|Actual pixels|As large as fits" "$(value "$out" list.1004.items)"
  expect "Show on's items" "The main monitor|Every monitor" "$(value "$out" list.1005.items)"
}

# Each row: what it shows | machine's Sound | user's Sound | box on opening | lists' selections on
# opening | presses | exit code | machine's values after | user's values after. "-" means no key.
scenarios=(
  "no key, box cleared, OK|-|-|1|0 0|click:1003 click:1|1|0x0 0x0 0x0|no key"
  "no key, box cleared, Cancel|-|-|1|0 0|click:1003 click:2|0|no key|no key"
  "machine 1 under user 0, Cancel|1|0|0|0 0|click:2|0|0x1 - -|0x0 - -"
  "machine 0 under user 1, box cleared, OK|0|1|1|0 0|click:1003 click:1|1|0x0 0x0 0x0|0x0 0x0 0x0"
  "machine 1 under user 0, box set, OK|1|0|0|0 0|click:1003 click:1|1|0x1 0x0 0x0|0x1 0x0 0x0"
  "machine 7, OK|7|-|1|0 0|click:1|1|0x1 0x0 0x0|no key"
  "no key, both lists picked, Cancel|-|-|1|0 0|pick:1004:2 pick:1005:1 click:2|0|no key|no key"
  "no key, both lists picked, OK|-|-|1|0 0|pick:1004:1 pick:1005:1 click:1|1|0x1 0x1 0x1|no key"
  "as stored, other picks, OK|=|=|1|1 1|pick:1004:2 pick:1005:0 click:1|1|0x1 0x2 0x0|no key"
  "as stored, Cancel|=|=|1|2 0|pick:1004:0 click:2|0|0x1 0x2 0x0|no key"
)

run=0
for row in "${scenarios[@]}"; do
  IFS='|' read -r name machine user box lists presses code machine_after user_after <<<"$row"
  run=$((run + 1))
  note "scenario $run: $name"
  started=$(now_ms)
  preset "$machine" "$user"
  spawn_saver "saver$run" 'C:\saver\lomlom.scr /c'
  out=$CASE_DIR/dialog$run.out
  # shellcheck disable=SC2086  # the presses are separate arguments
  driver "$out" 60 dialog "$TITLE" 15000 $presses
  if [[ "$(value "$out" found)" != 1 ]]; then
    screenshot "dialog$run-missing"
    fail "$name: no \"$TITLE\" dialog within 15 s (see $out and dialog$run-missing.png)"
    continue
  fi
  ((run == 1)) && check_layout "$out"
  expect "$name: box on opening" "$box" "$(value "$out" check.1003)"
  expect "$name: lists on opening" "$lists" "$(value "$out" list.1004.selection) $(value "$out" list.1005.selection)"
  if [[ "$presses" == click:1003* ]]; then
    expect "$name: box after its click" $((1 - box)) "$(value "$out" action1.check.1003)"
  fi
  expect "$name: dialog closed" 1 "$(value "$out" closed)"
  expect "$name: exit code" "$code" "$(saver_exit "saver$run" 10000)"
  expect "$name: machine's Sound Size Monitors" "$machine_after" "$(stored "$MACHINE")"
  expect "$name: user's Sound Size Monitors" "$user_after" "$(stored "$USER_ROOT")"
  note "scenario $run took $(($(now_ms) - started)) ms"
done
