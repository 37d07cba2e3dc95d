#!/bin/bash
# Makes the release zip afresh with CPack and checks it: exactly the two savers, the install text,
# the licence, the README's pictures and SHA256SUMS, each file as built or as kept in the sources,
# the texts with Windows line endings, every sum right. Leaves the zip unpacked in WORK_DIR/unpacked for the checks that follow.
# usage: check-package.sh CPACK CMAKE CPACK_CONFIG WORK_DIR PACKAGE_NAME SOURCE_DIR WIN64_SCR WIN32_SCR
set -u
cpack=$1 cmake=$2 config=$3 work=$4 name=$5 source=$6 win64=$7 win32=$8
# shellcheck source=e2e/expect.sh
source "$(dirname "$0")/../../e2e/expect.sh"


# same DESCRIPTION EXPECTED_FILE ACTUAL_FILE
same() {
  if cmp -s "$2" "$3"; then
    echo "ok:   $1"
  else
    echo "FAIL: $1: $3 differs from $2"
    E2E_FAILURES=$((E2E_FAILURES + 1))
  fi
}

for scr in "$win64" "$win32"; do
  [[ -f "$scr" ]] || { echo "FAIL: $scr not found (build the win64 and win32 presets first)"; exit 1; }
done
rm -rf "$work"
mkdir -p "$work/unpacked"
"$cpack" --config "$config" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
zip=$work/$name.zip
[[ -f "$zip" ]] || { echo "FAIL: cpack made no $name.zip (see $work/cpack.log)"; exit 1; }
echo "$zip: $(stat -c %s "$zip") bytes"

# Each picture below docs/, packed by its name alone.
mapfile -t pictures < <(grep -oE '\(docs/[^)]+\.(png|gif)\)' "$source/README.md" | sed 's/^(docs\///; s/)$//' | sort -u)
packed=()
for picture in "${pictures[@]}"; do packed+=("pictures/${picture##*/}"); done
expected=$(printf '%s\n' INSTALL.txt LICENSE.txt SHA256SUMS lomlom-32bit.scr lomlom-64bit.scr "${packed[@]}" |
  sed "s|^|$name/|" | sort)
listing=$("$cmake" -E tar tf "$zip" | grep -v '/$' | sort)
expect "the zip holds exactly the savers, the texts and the README's ${#pictures[@]} pictures" \
  "$(tr '\n' ' ' <<<"$expected")" "$(tr '\n' ' ' <<<"$listing")"

(cd "$work/unpacked" && "$cmake" -E tar xf "$zip") || { echo "FAIL: could not unpack $zip"; exit 1; }
top=$work/unpacked/$name
same "lomlom-64bit.scr is the 64-bit build" "$win64" "$top/lomlom-64bit.scr"
same "lomlom-32bit.scr is the 32-bit build" "$win32" "$top/lomlom-32bit.scr"
for picture in "${pictures[@]}"; do
  same "pictures/${picture##*/}" "$source/docs/$picture" "$top/pictures/${picture##*/}"
done
expect "LICENSE.txt is LICENSE with CRLF endings" "$(sed 's/$/\r/' "$source/LICENSE" | md5sum)" \
  "$(md5sum <"$top/LICENSE.txt")"

sums=$(cd "$top" && sha256sum --strict -c SHA256SUMS 2>&1)
expect "SHA256SUMS: every file but itself, each sum right" "$(($(wc -l <<<"$expected") - 1)) 0" \
  "$(grep -c ': OK$' <<<"$sums") $(grep -vc ': OK$' <<<"$sums")"

install_text=$top/INSTALL.txt
expect "every line of INSTALL.txt ends in CRLF" 0 "$(grep -c $'[^\r]$' "$install_text")"
for phrase in "${name#lomlom-}" "lomlom-64bit.scr" "lomlom-32bit.scr" 'C:\Windows\System32' 'C:\Windows\SysWOW64' \
  "choose Install" "LICENSE.txt"; do
  expect "INSTALL.txt names $phrase" 1 "$(grep -cF -- "$phrase" "$install_text" | sed 's/^[1-9][0-9]*$/1/')"
done
((E2E_FAILURES == 0))
