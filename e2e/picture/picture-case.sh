#!/bin/bash
# One display depth: the headless program draws the picture into a PPM, the Win32 program draws it
# under Wine on an Xvfb of that depth, and the window's pixels must equal the PPM's. At depth 8 the
# prefix lets Wine give the palette its own colour cells and the window's colour map is installed.
# usage: picture-case.sh XVFB_DEPTH (8, 16 or 24)
# Extra environment: PICTURE_WIN32 (picture_win32.exe of the build under test), PICTURE_NATIVE
# (picture_native), PICTURE_PALETTE (the MAINPAL bitmap).
source "$(dirname "$0")/../lib.sh"
depth=$1
SCREEN_DEPTH=$depth
# Wine reports 32 bits per pixel on a 24-bit X screen.
case $depth in
  8 | 16) bits=$depth ;;
  24) bits=32 ;;
  *) echo "FAIL: depth must be 8, 16 or 24"; exit 1 ;;
esac
begin_case "picture-depth$depth"
require_file "Win32 picture program" "${PICTURE_WIN32:-}"
require_file "native picture program" "${PICTURE_NATIVE:-}"
require_file "palette bitmap (build the assets target)" "${PICTURE_PALETTE:-}"
for tool in xwininfo /usr/bin/python3; do
  command -v "$tool" >/dev/null || abort "$tool not found (install x11-utils, python3)"
done

timeout 60 "$PICTURE_NATIVE" "$PICTURE_PALETTE" "$bits" "$CASE_DIR/expected.ppm" 2>"$CASE_DIR/native.err" ||
  abort "the headless program failed: $(cat "$CASE_DIR/native.err")"

mkdir -p "$E2E_PREFIX/drive_c/picture"
cp "$PICTURE_WIN32" "$E2E_PREFIX/drive_c/picture/picture_win32.exe"
cp "$PICTURE_PALETTE" "$E2E_PREFIX/drive_c/picture/palette.bmp"
if ((depth == 8)); then
  # Without these Wine matches palette colours only against its 20 reserved ones.
  timeout 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v ClientSideGraphics /d N /f >/dev/null 2>&1 &&
    timeout 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v PrivateColorMap /d Y /f >/dev/null 2>&1 ||
    abort "could not set the palette settings in the prefix"
  timeout 60 "$WINESERVER" -w
fi

out=$CASE_DIR/win32.out
"$WINE" 'C:\picture\picture_win32.exe' 'C:\picture\palette.bmp' 60 >"$out" 2>"$out.err" &
E2E_PIDS+=($!)
wait_until 60000 grep -sqE '^(ready|error)' "$out" || abort "the Win32 program did not draw within 60 s"
grep -q '^ready' "$out" || abort "the Win32 program failed: $(cat "$out")"
expect "bits per pixel that Wine reports" "$bits" "$(tr -d '\r' <"$out" | sed -n 's/^bits=//p')"

window=$(timeout 10 xwininfo -root -tree | awk '/"Render picture"/ {print $1; exit}')
[[ -n "$window" ]] || abort "no \"Render picture\" window on $DISPLAY"
if ((depth == 8)); then
  timeout 20 /usr/bin/python3 "$E2E_DIR/x11_colormap.py" "$window" || abort "could not install the window's colour map"
fi
timeout 20 xwd -id "$window" -silent >"$CASE_DIR/shot.xwd" || abort "xwd failed"
/usr/bin/python3 "$E2E_DIR/picture/compare_picture.py" "$CASE_DIR/shot.xwd" "$CASE_DIR/expected.ppm" "$CASE_DIR/shot" \
  >"$CASE_DIR/compare.txt"
expect "the window equals the headless picture at depth $depth" 0 $?
cat "$CASE_DIR/compare.txt"
timeout 30 convert "$CASE_DIR/shot.ppm" "$CASE_DIR/shot.png" 2>/dev/null
timeout 30 convert "$CASE_DIR/expected.ppm" "$CASE_DIR/expected.png" 2>/dev/null
