#!/usr/bin/env bash
# Redraws the pictures of docs/guide.md in docs/guide/: saving mode at 32 and at 8 bits per pixel and
# at 192 DPI, and the preview still, drawn by lomlom-render with the saver's own code, and the
# settings dialog as the 64-bit saver shows it under Wine in Xvfb (guide-dialog-picture.sh, through
# the end-to-end harness).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
render=build/native/tools/render/lomlom-render
out=docs/guide
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# saving NAME TICKS OPTION...: the screen after TICKS ticks of a run from seed 5, whose cycle starts
# with the surprise (on screen at tick 30); the sleepy action follows (at tick 140).
saving() {
  local name=$1 ticks=$2
  shift 2
  "$render" saving --seed 5 --ticks "$ticks" --png-dir "$work/${name%.png}" "$@" >/dev/null
  cp "$work/${name%.png}/$(printf 'tick-%05d.png' "$ticks")" "$out/$name"
}
saving saving-32bit.png 30 --size 1024x768 --depth 32
saving saving-8bit.png 140 --size 1024x768 --depth 8
# At 200 %: each pixel a 2x2 square, the 640x480 block filling the screen.
saving saving-2x.png 30 --size 1280x960 --dpi 192
# The little screen of the display settings.
"$render" preview --size 152x112 --out "$out/preview.png"

bash e2e/make-template-prefix.sh "$work/template"
E2E_SCR=build/win64/lomlom.scr E2E_DRIVER=build/win64/e2e/driver/e2e_driver.exe E2E_TEMPLATE="$work/template" \
  E2E_WORK="$work/e2e" E2E_DISPLAY_BASE=300 bash scripts/guide-dialog-picture.sh "$out/dialog.png"
ls -l "$out"
