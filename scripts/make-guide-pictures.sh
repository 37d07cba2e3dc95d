#!/usr/bin/env bash
# Redraws the pictures of docs/guide.md in docs/guide/: saving mode at 32 and at 8 bits per pixel and
# the preview still, drawn by lomlom-render with the saver's own code, and the settings dialog as the
# 64-bit saver shows it under Wine in Xvfb (guide-dialog-picture.sh, through the end-to-end harness).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
render=build/native/tools/render/lomlom-render
out=docs/guide
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# saving DEPTH TICKS NAME: the screen after TICKS ticks of a 1024x768 run from seed 5, whose cycle
# starts with the surprise (on screen at tick 30); the sleepy action follows (at tick 140).
saving() {
  "$render" saving --size 1024x768 --depth "$1" --seed 5 --ticks "$2" --png-dir "$work/depth$1" >/dev/null
  cp "$work/depth$1/$(printf 'tick-%05d.png' "$2")" "$out/$3"
}
saving 32 30 saving-32bit.png
saving 8 140 saving-8bit.png
# The little screen of the display settings.
"$render" preview --size 152x112 --out "$out/preview.png"

bash e2e/make-template-prefix.sh "$work/template"
E2E_SCR=build/win64/lomlom.scr E2E_DRIVER=build/win64/e2e/driver/e2e_driver.exe E2E_TEMPLATE="$work/template" \
  E2E_WORK="$work/e2e" E2E_DISPLAY_BASE=300 bash scripts/guide-dialog-picture.sh "$out/dialog.png"
ls -l "$out"
