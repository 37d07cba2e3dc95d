#!/bin/bash
# The preview still under Wine: the saver's own preview (its host code, life cycle and still) runs
# inside preview_still_win32 into a host window of that program, with the pictures of the shipped
# lomlom.scr; the host's pixels must equal what lomlom-render draws for a host of that client size.
# Extra environment: PREVIEW_STILL_EXE, LOMLOM_RENDER.
source "$(dirname "$0")/../lib.sh"
begin_case preview-still
require_file "preview still program" "${PREVIEW_STILL_EXE:-}"
require_file "lomlom-render" "${LOMLOM_RENDER:-}"
for tool in xwininfo compare identify /usr/bin/python3; do
  command -v "$tool" >/dev/null || abort "$tool not found (install x11-utils, imagemagick, python3)"
done
cp "$PREVIEW_STILL_EXE" "$E2E_PREFIX/drive_c/preview_still_win32.exe"
readonly DONE='C:\preview-done'
readonly DONE_FILE=$E2E_PREFIX/drive_c/preview-done

# pixels_unlike PICTURE COLOUR: how many pixels of PICTURE are not COLOUR.
pixels_unlike() {
  timeout 30 compare -metric AE "$1" -size "$(identify -format %wx%h "$1")" "xc:$2" null: 2>&1
}

# The display settings' classic size and two more that enlarge the picture, a host wider in proportion
# than the picture (bands left and right) and a narrower one (bands above and below), both odd, and
# one smaller than the picture.
for size in 152x112 200x150 640x480 401x121 121x401 60x45; do
  width=${size%x*}
  height=${size#*x}
  note "client $size"
  started=$(now_ms)
  expected=$CASE_DIR/expected-$size
  if ! timeout 60 "$LOMLOM_RENDER" preview --size "$size" --out "$expected.png" 2>"$expected.err" ||
    ! timeout 30 convert "$expected.png" "$expected.ppm"; then
    fail "$size: lomlom-render preview failed: $(cat "$expected.err")"
    continue
  fi

  out=$CASE_DIR/still-$size.out
  rm -f "$DONE_FILE"
  "$WINE" 'C:\preview_still_win32.exe' 'C:\saver\lomlom.scr' "$width" "$height" "$DONE" 60 >"$out" 2>"$out.err" &
  pid=$!
  E2E_PIDS+=("$pid")
  if ! wait_until 30000 has_line "$out" ready; then
    fail "$size: the still was not reported drawn within 30 s (see $out)"
    touch "$DONE_FILE"
    stop_pid "$pid"
    continue
  fi
  expect "$size: preview child" "WindowsScreenSaverClass Preview" "$(value "$out" child_class) $(value "$out" child_title)"
  expect "$size: child fills the host" "0,0,$width,$height" "$(value "$out" child_client)"
  expect "$size: bits per pixel" 32 "$(value "$out" bits)"

  window=$(timeout 10 xwininfo -root -tree | awk '/"Preview still host"/ {print $1; exit}')
  if [[ -z "$window" ]] || ! timeout 20 xwd -id "$window" -silent >"$CASE_DIR/shot-$size.xwd"; then
    fail "$size: no screenshot of the host window"
  else
    /usr/bin/python3 "$E2E_DIR/picture/compare_picture.py" "$CASE_DIR/shot-$size.xwd" "$expected.ppm" \
      "$CASE_DIR/shot-$size" >"$CASE_DIR/compare-$size.txt"
    expect "$size: pixels unlike lomlom-render's" 0 "$(value "$CASE_DIR/compare-$size.txt" mismatches)"
    grep -q '^mismatches=0$' "$CASE_DIR/compare-$size.txt" || cat "$CASE_DIR/compare-$size.txt"
    timeout 30 convert "$CASE_DIR/shot-$size.ppm" "$CASE_DIR/shot-$size.png" 2>/dev/null
    # Equal pictures prove nothing when both are empty: the creature is there and no pixel is left
    # to the host's own background.
    nonblack=$(pixels_unlike "$CASE_DIR/shot-$size.png" black)
    ((nonblack * 10 > width * height)) 2>/dev/null || fail "$size: only '$nonblack' non-black pixels, less than a tenth"
    note "$size: $nonblack non-black pixels"
    expect "$size: host background showing" $((width * height)) "$(pixels_unlike "$CASE_DIR/shot-$size.png" magenta)"
  fi

  # A host ends its preview by destroying its window.
  touch "$DONE_FILE"
  wait_until 10000 has_line "$out" saver_result || fail "$size: the preview did not end within 10 s"
  expect "$size: ended by the host" told "$(value "$out" end)"
  expect "$size: saver's result" 0 "$(value "$out" saver_result)"
  if wait_until 10000 eval "! kill -0 $pid 2>/dev/null"; then
    wait "$pid"
    expect "$size: program's exit code" 0 $?
  else
    fail "$size: the program did not exit within 10 s"
  fi
  note "$size took $(($(now_ms) - started)) ms"
done
