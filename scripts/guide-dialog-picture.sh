#!/usr/bin/env bash
# The settings dialog as the 64-bit saver shows it under Wine, for the user guide: "/c" in a fresh
# copy of the end-to-end template prefix on its own Xvfb display, the dialog's own X window taken
# with xwd, then Cancel. Run by make-guide-pictures.sh, which sets the end-to-end harness's
# environment (E2E_SCR, E2E_DRIVER, E2E_TEMPLATE, E2E_WORK, E2E_DISPLAY_BASE).
# usage: guide-dialog-picture.sh OUT.png
source "$(dirname "$0")/../e2e/lib.sh"
out=$1
readonly TITLE="Lomlom_action_2 Setup"
begin_case guide-dialog
# Wine draws the caption's close button with its Marlett font, which it looks for among the prefix's
# fonts only; without it the button shows the letter "r".
cp /usr/share/wine/fonts/marlett.ttf "$E2E_PREFIX/drive_c/windows/Fonts/" || abort "no Marlett font (install fonts-wine)"

spawn_saver dialog 'C:\saver\lomlom.scr /c'
driver "$CASE_DIR/dialog.out" 60 dialog "$TITLE" 15000
[[ "$(value "$CASE_DIR/dialog.out" found)" == 1 ]] || abort "no \"$TITLE\" dialog within 15 s"
window=$(timeout 10 xdotool search --onlyvisible --name "^$TITLE\$" | head -n 1)
[[ -n "$window" ]] || abort "no X window named \"$TITLE\""
timeout 20 xwd -id "$window" -silent >"$CASE_DIR/dialog.xwd" || abort "xwd failed"
timeout 20 convert "xwd:$CASE_DIR/dialog.xwd" -strip "$out" || abort "could not convert the dialog's picture"
note "wrote $out ($(identify -format '%wx%h' "$out"))"

driver "$CASE_DIR/cancel.out" 30 dialog "$TITLE" 5000 click:2
expect "the dialog closed with Cancel" 1 "$(value "$CASE_DIR/cancel.out" closed)"
expect "the saver's exit code after Cancel" 0 "$(saver_exit dialog 10000)"
