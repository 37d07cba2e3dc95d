#!/bin/bash
# Preview mode: "/p <host window>" puts a child titled "Preview" over the host's whole client area;
# keys, clicks, mouse travel and loss of activation do not end it, and closing the host does (exit 0).
source "$(dirname "$0")/lib.sh"
begin_case preview

out=$CASE_DIR/preview.out
driver "$out" 60 preview 320 240 1500 'C:\saver\lomlom.scr'
host=$(value "$out" host)
expect "host client area" "0,0,320,240" "$(value "$out" host_client)"
expect "preview child found" 1 "$(value "$out" child_found)"
expect "child class" WindowsScreenSaverClass "$(value "$out" child_class)"
expect "child title" Preview "$(value "$out" child_title)"
expect "child fills the host's client area" "$(value "$out" host_client)" "$(value "$out" child_rect_in_host)"
style=$(value "$out" child_style)
style=${style:-0}
expect "WS_CHILD|WS_VISIBLE set" 1 $(((style & 0x50000000) == 0x50000000))
expect "WS_POPUP clear" 1 $(((style & 0x80000000) == 0))
expect "saver windows of the preview process" 1 "$(value "$out" child_count)"
expect "preview process alive after input" 1 "$(value "$out" alive_after_input)"
expect "preview child alive after input" 1 "$(value "$out" child_after_input)"
expect "context menu request forwarded to the host with its handle" "$host" "$(value "$out" contextmenu_wparam)"
expect "exit code after the host closed" 0 "$(value "$out" exit)"
