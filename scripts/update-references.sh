#!/usr/bin/env bash
# The scene's reviewed reference pictures in tests/references: saving mode at 1024x768 from seed 3,
# per action its first frame, its first frame with the logo and its last frame, at depths 8 and 32.
# scene.txt lists each with its frame log line; the PNGs hold its pixels. This draws them afresh
# with lomlom-render and compares: a reference changed when its line did or when its PNG's pixels no
# longer give its hash. For each change it writes old | new | difference side by side into
# WORK_DIR/changed/. Only --update replaces the references; otherwise a change ends with exit code 1.
# usage: update-references.sh [--update] [LOMLOM_RENDER [WORK_DIR]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
update=0
if [[ ${1:-} == --update ]]; then
  update=1
  shift
fi
render=${1:-$root/build/native/tools/render/lomlom-render}
work=${2:-$root/build/native/references}
references=$root/tests/references
# One whole cycle from seed 3, which enters it at action 1569.
seed=3
ticks=536
bash "$root/scripts/setup.sh"
rm -rf "$work"
mkdir -p "$work/changed"

# Frame log lines "tick hash action quadrant logo frame" of the pictures kept, each with its name.
select_pictures() {
  awk -v depth="$1" '
    !/^#/ && $3 != 0 { line[NR] = $0; if ($6 > last[$3]) last[$3] = $6 }
    END {
      for (n = 1; n <= NR; n++) {
        if (!(n in line)) continue
        split(line[n], f, " ")
        action = f[3]
        wanted = (f[6] == 1 && !first[action]++) + (f[5] == 1 && !logo[action]++) + (f[6] == last[action] && !held[action]++)
        if (wanted) print depth, line[n], "d" depth "-" action "-" f[6] ".png"
      }
    }' "$2"
}

# CRC-32 of a picture's RGB bytes, top row first: the frame log's hash at depths 8 and 32.
pixel_hash() {
  convert "$1" rgb:- | python3 -c 'import sys, zlib; print("%08x" % zlib.crc32(sys.stdin.buffer.read()))'
}

render_depth() {
  "$render" saving --size 1024x768 --depth "$1" --seed "$seed" --ticks "$ticks" --frame-log "$work/frames-$1.txt" "${@:2}"
}

{
  echo "# depth tick hash action quadrant logo frame picture: lomlom-render saving --size 1024x768 --seed $seed"
  for depth in 8 32; do
    render_depth "$depth"
    select_pictures "$depth" "$work/frames-$depth.txt"
  done
} >"$work/scene.txt"

old_list=$references/scene.txt
if [[ ! -f $old_list ]]; then
  old_list=$work/none.txt
  : >"$old_list"
fi
changed=()
while read -r depth _ hash _ _ _ _ picture; do
  [[ $depth == "#" ]] && continue
  line=$(grep " $picture\$" "$work/scene.txt")
  if ! grep -qxF "$line" "$old_list" || [[ ! -f $references/$picture ]] ||
    [[ $(pixel_hash "$references/$picture") != "$hash" ]]; then
    changed+=("$picture")
  fi
done <"$work/scene.txt"
gone=$(comm -23 <(awk '!/^#/ {print $NF}' "$old_list" | sort) <(awk '!/^#/ {print $NF}' "$work/scene.txt" | sort))
listed=$(grep -vc '^#' "$work/scene.txt")
if ((${#changed[@]} == 0)) && [[ -z $gone ]]; then
  echo "all $listed references unchanged"
  exit 0
fi

# Pictures only for what changed: every tick as a PNG takes a while.
for depth in 8 32; do
  render_depth "$depth" --png-dir "$work/d$depth"
done
convert -size 1024x768 xc:gray50 "$work/none.png"
for picture in "${changed[@]}"; do
  read -r depth tick _ < <(grep " $picture\$" "$work/scene.txt")
  convert "$(printf "%s/d%s/tick-%05d.png" "$work" "$depth" "$tick")" -define png:compression-level=9 "$work/$picture"
  old=$references/$picture
  [[ -f $old ]] || old=$work/none.png
  compare "$old" "$work/$picture" -compose src "$work/difference.png" 2>/dev/null || true
  convert "$old" "$work/$picture" "$work/difference.png" +append "$work/changed/$picture"
  echo "changed: $picture"
done
[[ -n $gone ]] && echo "no longer drawn:" $gone

if ((update)); then
  (cd "$references" && rm -f $gone)
  cp "$work/scene.txt" "$references/"
  for picture in "${changed[@]}"; do
    cp "$work/$picture" "$references/"
  done
  echo "updated the references: $listed listed"
else
  echo "${#changed[@]} references changed; side by side in $work/changed; --update takes them"
  exit 1
fi
