#!/bin/bash
# The .deb made afresh from the linux preset's build: its name, where it puts each file, and the
# library dependencies dpkg-shlibdeps found; its settings file parses as XML.
# usage: check-deb.sh CPACK CPACK_CONFIG WORK_DIR VERSION
set -u
cpack=$1 config=$2 work=$3 version=$4
failures=0
check() {
  if [[ "$2" == "$3" ]]; then echo "ok:   $1"; else echo "FAIL: $1: expected '$2', got '$3'"; failures=$((failures + 1)); fi
}
[[ -f "$config" ]] || { echo "FAIL: $config missing (cmake --preset linux && cmake --build --preset linux)"; exit 1; }
rm -rf "$work"
mkdir -p "$work"
"$cpack" --config "$config" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb="$work/lomlom-saver_${version}_amd64.deb"
check "package file" yes "$([[ -f "$deb" ]] && echo yes || echo no)"
listing=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/libexec/xscreensaver/lomlom ./usr/share/xscreensaver/config/lomlom.xml \
  ./usr/share/man/man6/lomlom.6 ./usr/share/applications/lomlom.desktop; do
  check "$path in the package" yes "$(grep -qxF "$path" <<<"$listing" && echo yes || echo no)"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libc6 libsdl2-2.0-0 libx11-6 libxext6; do
  check "depends on $library" yes "$(grep -q "$library" <<<"$depends" && echo yes || echo no)"
done
dpkg-deb -x "$deb" "$work/root"
check "lomlom.xml parses" ok "$(/usr/bin/python3 -c 'import sys, xml.etree.ElementTree as t; r = t.parse(sys.argv[1]).getroot(); print("ok" if r.tag == "screensaver" and r.get("name") == "lomlom" else "bad")' "$work/root/usr/share/xscreensaver/config/lomlom.xml" 2>&1)"
check "--help of the packaged lomlom" 0 "$("$work/root/usr/libexec/xscreensaver/lomlom" --help >/dev/null; echo $?)"
((failures == 0))
