#!/usr/bin/env bash
# lomlom-render's command line: every bad one ends with exit code 2 and says why; good ones write
# what they promise. usage: render_cli_test.sh LOMLOM_RENDER WORK_DIR
set -u
render=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
failures=0

check() {
  local expected=$1 description=$2
  shift 2
  "$render" "$@" >"$work/out" 2>"$work/err"
  local status=$?
  if [[ $status -ne $expected ]]; then
    echo "FAIL: $description: exit $status, expected $expected ($(head -c 300 "$work/err"))"
    failures=$((failures + 1))
  elif [[ $expected -eq 2 ]] && ! grep -q "^lomlom-render: .\+" "$work/err"; then
    echo "FAIL: $description: no reason given"
    failures=$((failures + 1))
  else
    echo "ok:   $description"
  fi
}

check 2 "no mode"
check 2 "unknown mode" draw
check 2 "unknown option" saving --colour red
check 2 "option without a value" saving --ticks
check 2 "empty value" saving --seed ""
check 2 "size without x" saving --size 640
check 2 "size of zero" saving --size 0x480
check 2 "size too large" saving --size 100000x480
check 2 "negative size" saving --size -640x480
check 2 "size with junk" saving --size 640x480x3
check 2 "depth 4" saving --depth 4
check 2 "depth 15" saving --depth 15
check 2 "seed past 32 bits" saving --seed 4294967296
check 2 "negative seed" saving --seed -1
check 2 "no ticks" saving --ticks 0
check 2 "ticks in hex" saving --ticks 0x10
check 2 "ticks of 20 digits" saving --ticks 99999999999999999999
check 2 "dpi below 96" saving --dpi 95
check 2 "dpi above 480" saving --dpi 481
check 2 "dpi with junk" saving --dpi 192dpi
check 2 "unknown fit" saving --fit stretch
check 2 "fit in capitals" saving --fit Fill
check 2 "stray argument" saving 12
check 2 "gif scale without a gif" saving --gif-scale 2
check 2 "preview without --out" preview --size 152x112
check 2 "preview with a saving option" preview --out x.png --ticks 3
check 2 "preview with a DPI" preview --out x.png --dpi 192
check 1 "unwritable frame log" saving --ticks 1 --frame-log /nonexistent/dir/frames.txt

check 0 "three ticks as pictures and logs" saving --size 320x240 --depth 16 --seed 7 --ticks 3 \
  --png-dir "$work/ticks" --gif "$work/film.gif" --gif-scale 2 --sound-log "$work/sound.txt" \
  --frame-log "$work/frames.txt"
for file in ticks/tick-00001.png ticks/tick-00003.png film.gif sound.txt; do
  [[ -s "$work/$file" ]] || { echo "FAIL: $file not written"; failures=$((failures + 1)); }
done
[[ -e "$work/ticks/tick-00004.png" ]] && { echo "FAIL: a fourth tick was written"; failures=$((failures + 1)); }
lines=$(grep -vc '^#' "$work/frames.txt")
[[ "$lines" == 3 ]] || { echo "FAIL: frames.txt has $lines ticks, not 3"; failures=$((failures + 1)); }
check 0 "a frame log inside a picture folder not yet made" saving --ticks 1 --png-dir "$work/new" --frame-log "$work/new/frames.txt"
# The DPI and the fit reach the saver: at 1280x960 a 192-DPI screen doubles the picture, as "fill"
# does at 96, and "actual" keeps it at 1:1. The frames are written at the physical size.
scaled() {
  local name=$1
  shift
  check 0 "1280x960 ${*:-at 96 DPI, follow}" saving --size 1280x960 --seed 3 --ticks 40 --frame-log "$work/$name.txt" "$@"
}
scaled plain
scaled double --dpi 192 --png-dir "$work/double"
scaled actual --dpi 192 --fit actual
scaled fill --fit fill
same_log() {
  if [[ "$(cmp -s "$work/$2.txt" "$work/$3.txt" && echo same || echo different)" == "$1" ]]; then
    echo "ok:   frames of $2 and $3 $1"
  else
    echo "FAIL: frames of $2 and $3 not $1"
    failures=$((failures + 1))
  fi
}
same_log different plain double
same_log same plain actual
same_log same double fill
png_size=$(od -An -tu1 -j16 -N8 "$work/double/tick-00001.png" 2>/dev/null |
  awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }')
[[ "$png_size" == 1280x960 ]] || { echo "FAIL: a 192-DPI frame is $png_size, not 1280x960"; failures=$((failures + 1)); }
check 0 "preview still" preview --size 152x112 --out "$work/preview.png"
[[ -s "$work/preview.png" ]] || { echo "FAIL: preview.png not written"; failures=$((failures + 1)); }

((failures == 0)) && echo "all passed"
exit $((failures > 0))
