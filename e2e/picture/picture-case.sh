#!/bin/bash
# One display depth: the headless program draws the picture into a PPM, the Win32 program draws it
# under Wine on an Xvfb of that depth, and the window's pixels must equal the PPM's. At depth 8 the
# prefix lets Wine give the palette its own colour cells and the window's colour map is installed.
# usage: picture-case.sh XVFB_DEPTH (8, 16 or 24)
# Environment: PICTURE_WIN32 (picture_win32.exe), PICTURE_NATIVE (picture_native), PICTURE_PALETTE
# (the MAINPAL bitmap), PICTURE_TEMPLATE (prefix from e2e/make-template-prefix.sh), PICTURE_WORK (folder for
# results), PICTURE_DISPLAY_BASE (first X display number to try).
# E2E_BUILD (lib.sh) names the build that PICTURE_WIN32 comes from.
source "$(dirname "$0")/../lib.sh"
depth=$1
HERE=$E2E_DIR/picture

case_dir=
xvfb_pid=
wine_pid=
prefix=

stop_pid() {
  [[ -n "$1" ]] && alive "$1" || return 0
  kill -TERM "$1" 2>/dev/null
  wait_until 3000 eval "! kill -0 $1 2>/dev/null" || kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
cleanup() {
  stop_pid "$wine_pid"
  if [[ -n "$prefix" && -d "$prefix" ]]; then
    WINEPREFIX=$prefix timeout 10 "$WINESERVER" -k 2>/dev/null
    WINEPREFIX=$prefix timeout 10 "$WINESERVER" -w 2>/dev/null
    rm -rf "$prefix"
  fi
  stop_pid "$xvfb_pid"
}
fail() {
  echo "FAIL: $*"
  [[ -n "$case_dir" ]] && echo "results in $case_dir"
  exit 1
}
trap cleanup EXIT
trap 'exit 1' INT TERM

for name in PICTURE_WIN32 PICTURE_NATIVE PICTURE_PALETTE PICTURE_TEMPLATE PICTURE_WORK PICTURE_DISPLAY_BASE; do
  [[ -n "${!name:-}" ]] || fail "$name is not set (ctest sets it)"
done
case_dir=$PICTURE_WORK/depth$depth
rm -rf "$case_dir"
mkdir -p "$case_dir"
require_wine "$case_dir"
for tool in Xvfb xwd xwininfo xdpyinfo convert /usr/bin/python3; do
  command -v "$tool" >/dev/null || fail "$tool not found (install xvfb, x11-apps, x11-utils, imagemagick)"
done
[[ -f "$PICTURE_WIN32" ]] || fail "Win32 picture program missing at $PICTURE_WIN32 (build the $E2E_BUILD preset)"
[[ -x "$PICTURE_NATIVE" ]] || fail "native picture program missing at $PICTURE_NATIVE"
[[ -f "$PICTURE_PALETTE" ]] || fail "palette bitmap missing at $PICTURE_PALETTE (build the assets target)"
[[ -f "$PICTURE_TEMPLATE/system.reg" ]] || fail "template prefix missing at $PICTURE_TEMPLATE"

# Wine reports 32 bits per pixel on a 24-bit X screen.
case $depth in
  8 | 16) bits=$depth ;;
  24) bits=32 ;;
  *) fail "depth must be 8, 16 or 24" ;;
esac

timeout 60 "$PICTURE_NATIVE" "$PICTURE_PALETTE" "$bits" "$case_dir/expected.ppm" 2>"$case_dir/native.err" ||
  fail "the headless program failed: $(cat "$case_dir/native.err")"

for ((number = PICTURE_DISPLAY_BASE; number < PICTURE_DISPLAY_BASE + 40; number++)); do
  [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
  Xvfb ":$number" -screen 0 "1024x768x$depth" -nolisten tcp -noreset >"$case_dir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:$number
  if wait_until 10000 eval "! alive $xvfb_pid || xdpyinfo >/dev/null 2>&1" && alive "$xvfb_pid"; then
    break
  fi
  stop_pid "$xvfb_pid"
  xvfb_pid=
done
[[ -n "$xvfb_pid" ]] || fail "no free X display from :$PICTURE_DISPLAY_BASE on"
echo "Xvfb pid $xvfb_pid on $DISPLAY at depth $depth"

prefix=$case_dir/prefix
cp -a "$PICTURE_TEMPLATE" "$prefix" || fail "could not copy the template prefix"
export WINEPREFIX=$prefix
mkdir -p "$prefix/drive_c/picture"
cp "$PICTURE_WIN32" "$prefix/drive_c/picture/picture_win32.exe"
cp "$PICTURE_PALETTE" "$prefix/drive_c/picture/palette.bmp"
if ((depth == 8)); then
  # Without these Wine matches palette colours only against its 20 reserved ones.
  timeout 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v ClientSideGraphics /d N /f >/dev/null 2>&1 &&
    timeout 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v PrivateColorMap /d Y /f >/dev/null 2>&1 ||
    fail "could not set the palette settings in the prefix"
  timeout 60 "$WINESERVER" -w
fi

"$WINE" 'C:\picture\picture_win32.exe' 'C:\picture\palette.bmp' 60 >"$case_dir/win32.out" 2>"$case_dir/win32.err" &
wine_pid=$!
wait_until 60000 grep -qE '^(ready|error)' "$case_dir/win32.out" || fail "the Win32 program did not draw within 60 s"
grep -q '^ready' "$case_dir/win32.out" || fail "the Win32 program failed: $(cat "$case_dir/win32.out")"
seen_bits=$(tr -d '\r' <"$case_dir/win32.out" | sed -n 's/^bits=//p')
[[ "$seen_bits" == "$bits" ]] || fail "Wine reports $seen_bits bits per pixel, expected $bits"

window=$(timeout 10 xwininfo -root -tree | awk '/"Render picture"/ {print $1; exit}')
[[ -n "$window" ]] || fail "no \"Render picture\" window on $DISPLAY"
if ((depth == 8)); then
  timeout 20 /usr/bin/python3 "$HERE/../x11_colormap.py" "$window" || fail "could not install the window's colour map"
fi
timeout 20 xwd -id "$window" -silent >"$case_dir/shot.xwd" || fail "xwd failed"
/usr/bin/python3 "$HERE/compare_picture.py" "$case_dir/shot.xwd" "$case_dir/expected.ppm" "$case_dir/shot" \
  >"$case_dir/compare.txt"
status=$?
cat "$case_dir/compare.txt"
timeout 30 convert "$case_dir/shot.ppm" "$case_dir/shot.png" 2>/dev/null
timeout 30 convert "$case_dir/expected.ppm" "$case_dir/expected.png" 2>/dev/null
((status == 0)) || fail "the window differs from the headless picture at depth $depth"
echo "depth $depth: the window equals the headless picture"
