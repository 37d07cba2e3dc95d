#!/bin/bash
# The build's Windows Installer package through msiexec, silently, as an administrator's script would
# run it (E2E_BUILD win64: the x64 package in a 64-bit prefix; win32: the x86 package in a 32-bit
# one). A damaged package and one whose install fails late leave nothing behind; a plain install
# puts the build's saver into the system folder with one Apps & features entry (name, version,
# publisher, icon, licence) and changes no user's saver, and the installed saver shows the creature;
# a newer package with SETSAVER=1 replaces it (one entry, the newer file, which is signed and runs
# too) and makes it the user's saver; uninstalling removes the file, the entry and the machine's
# settings key, keeps the user's own settings, and clears SCRNSAVE.EXE only while it names our file.
# Inputs: E2E_MSI_WIN64 and E2E_MSI_WIN32 (the packages), E2E_VERSION, E2E_MANUFACTURER, E2E_ICON,
# E2E_LICENCE, E2E_RENDER and lib.sh's.
source "$(dirname "$0")/../lib.sh"
source "$E2E_DIR/scene/creature.sh"
case $E2E_BUILD in
  win64) arch=x64 package=${E2E_MSI_WIN64:-} ;;
  win32) arch=x86 package=${E2E_MSI_WIN32:-} ;;
esac
begin_case install
require_file "the $arch package" "$package"
for name in E2E_ICON E2E_LICENCE; do
  require_file "$name" "${!name:-}"
done
for tool in msibuild wixl osslsigncode openssl; do
  command -v "$tool" >/dev/null || abort "$tool not found (scripts/setup.sh installs it)"
done
packaging=$E2E_DIR/../packaging
system=$E2E_PREFIX/drive_c/windows/system32
installed=$system/lomlom.scr
licence="$E2E_PREFIX/drive_c/Program Files/ORU Screen Saver/LICENSE.txt"
desktop='HKCU\Control Panel\Desktop'
machine_key='HKLM\SOFTWARE\NUVARIS\ORUScreenSaver\LOMLOM_ACTION_2'
user_key='HKCU\Software\NUVARIS\ORUScreenSaver\LOMLOM_ACTION_2'

# msiexec NAME ARGUMENTS: msiexec started by the driver, which sees its whole exit code (a shell sees
# only the low byte), with a verbose log kept as NAME.log; prints the exit code.
msiexec() {
  driver "$CASE_DIR/$1.out" 300 spawn 240000 "msiexec $2 /l*v C:\\$1.log"
  value "$CASE_DIR/$1.out" exit
  cp "$E2E_PREFIX/drive_c/$1.log" "$CASE_DIR/" 2>/dev/null
}

# reg_value KEY NAME: the value's data, or nothing when the value is missing.
reg_value() {
  timeout 60 "$WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^    $2    REG_[A-Z_]*    \\(.*\\)\$/\\1/p"
}

# entries: one line "VERSION|PUBLISHER|README" per uninstall entry named "ORU Screen Saver".
entries() {
  timeout 60 "$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' |
    awk 'function flush() { if (v["DisplayName"] == "ORU Screen Saver") print v["DisplayVersion"] "|" v["Publisher"] "|" v["ReadMe"]; delete v }
         /^HKEY_/ { flush() }
         match($0, /^    [^ ]+    REG_[A-Z_]+    /) { v[$1] = substr($0, RLENGTH + 1) }
         END { flush() }'
}

same_file() { cmp -s "$1" "$2" && echo same || echo different; }

# The Unix path of a C: path that Wine gives.
unix_path() { sed 's|^[Cc]:|'"$E2E_PREFIX"'/drive_c|; s|\\|/|g' <<<"$1"; }

learn_entry_points "${SCREEN_WIDTH}x${SCREEN_HEIGHT}" 32

# The newer package: the next patch version, carrying the build's saver signed with a throwaway certificate.
IFS=. read -r major minor patch <<<"$E2E_VERSION"
newer=$major.$minor.$((patch + 1))
bash "$packaging/make-test-certificate.sh" "$CASE_DIR/certificate" || abort "openssl made no certificate"
cp "$E2E_SCR" "$CASE_DIR/signed.scr"
LOMLOM_SIGN_PKCS12=$CASE_DIR/certificate/cert.p12 LOMLOM_SIGN_PASSWORD=test \
  bash "$E2E_DIR/../scripts/sign.sh" "$CASE_DIR/signed.scr" >/dev/null || abort "sign.sh failed"
bash "$packaging/make-msi.sh" "$arch" "$newer" "$E2E_MANUFACTURER" "$CASE_DIR/signed.scr" "$E2E_ICON" "$E2E_LICENCE" \
  "$E2E_PREFIX/drive_c/newer.msi" || abort "make-msi.sh made no newer package"
cp "$package" "$E2E_PREFIX/drive_c/package.msi"
# Damaged: the second half of the file gone. Failing: the package with a last deferred step that fails.
head -c $(($(stat -c %s "$package") / 2)) "$package" >"$E2E_PREFIX/drive_c/damaged.msi"
failing=$E2E_PREFIX/drive_c/failing.msi
cp "$package" "$failing"
folder=$([[ $arch == x64 ]] && echo System64Folder || echo SystemFolder)
msibuild "$failing" -q "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) VALUES ('Fail', 1058, '$folder', '\"[$folder]cmd.exe\" /c exit 3')" &&
  msibuild "$failing" -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('Fail', 6590)" ||
  abort "could not make the failing package"

nothing_installed() {
  expect "$1: no saver in the system folder" absent "$([[ -e "$installed" ]] && echo present || echo absent)"
  expect "$1: no licence" absent "$([[ -e "$licence" ]] && echo present || echo absent)"
  expect "$1: no uninstall entry" "" "$(entries)"
  expect "$1: no SCRNSAVE.EXE" "" "$(reg_value "$desktop" SCRNSAVE.EXE)"
}

note "damaged and failing packages"
code=$(msiexec damaged '/i C:\damaged.msi /qn')
expect "damaged package: a failure's exit code ($code)" 1 "$([[ -n "$code" && "$code" != 0 && "$code" != timeout ]] && echo 1)"
nothing_installed "after the damaged package"
# Windows Installer ends a failed install with 1603; Wine 8's msiexec gives 1627 (ERROR_FUNCTION_FAILED).
code=$(msiexec failing '/i C:\failing.msi SETSAVER=1 /qn')
expect "failing package: the failed install's exit code ($code)" 1 "$([[ "$code" == 1603 || "$code" == 1627 ]] && echo 1)"
nothing_installed "after the failing package's rollback"

note "install"
expect "install: exit code" 0 "$(msiexec install '/i C:\package.msi /qn')"
expect "the installed saver is the build's" same "$(same_file "$E2E_SCR" "$installed")"
expect "the licence is installed" same "$(same_file "$E2E_LICENCE" "$licence")"
expect "one entry: version, publisher, licence" \
  "$E2E_VERSION|$E2E_MANUFACTURER|C:\\Program Files\\ORU Screen Saver\\LICENSE.txt" "$(entries)"
icon=$(timeout 60 "$WINE" reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' |
  sed -n 's/^    ProductIcon    REG_SZ    //p')
expect "the entry's icon is the saver's" same "$(same_file "$E2E_ICON" "$(unix_path "$icon")")"
expect "without SETSAVER no SCRNSAVE.EXE" "" "$(reg_value "$desktop" SCRNSAVE.EXE)"
expect "without SETSAVER no ScreenSaveActive change" "" "$(reg_value "$desktop" ScreenSaveActive)"
shows_creature installed 'C:\windows\system32\lomlom.scr /s' "${SCREEN_WIDTH}x${SCREEN_HEIGHT}"

note "upgrade with SETSAVER=1"
expect "upgrade: exit code" 0 "$(msiexec upgrade '/i C:\newer.msi SETSAVER=1 /qn')"
expect "one entry, the newer version" "$newer|$E2E_MANUFACTURER|C:\\Program Files\\ORU Screen Saver\\LICENSE.txt" "$(entries)"
expect "the installed saver is the newer package's" same "$(same_file "$CASE_DIR/signed.scr" "$installed")"
expect "SCRNSAVE.EXE names the installed file" 'c:\windows\system32\lomlom.scr' \
  "$(reg_value "$desktop" SCRNSAVE.EXE | tr '[:upper:]' '[:lower:]')"
expect "ScreenSaveActive" 1 "$(reg_value "$desktop" ScreenSaveActive)"
shows_creature signed 'C:\windows\system32\lomlom.scr /s' "${SCREEN_WIDTH}x${SCREEN_HEIGHT}"
# The saver's settings as an administrator's OK and a user's OK store them.
timeout 60 "$WINE" reg add "$machine_key" /v Sound /t REG_DWORD /d 0 /f >/dev/null 2>&1 &&
  timeout 60 "$WINE" reg add "$user_key" /v Sound /t REG_DWORD /d 1 /f >/dev/null 2>&1 || abort "reg add failed"

note "uninstall"
expect "uninstall: exit code" 0 "$(msiexec uninstall '/x C:\newer.msi /qn')"
nothing_installed "after the uninstall"
expect "the machine's settings key is gone" 1 "$(timeout 60 "$WINE" reg query "$machine_key" >/dev/null 2>&1; echo $?)"
expect "the user's own setting stays" 0x1 "$(reg_value "$user_key" Sound)"

note "uninstall after the user chose another saver"
expect "install with SETSAVER=1: exit code" 0 "$(msiexec again '/i C:\package.msi SETSAVER=1 /qn')"
timeout 60 "$WINE" reg add "$desktop" /v SCRNSAVE.EXE /d 'C:\windows\system32\other.scr' /f >/dev/null 2>&1 ||
  abort "reg add failed"
expect "uninstall: exit code" 0 "$(msiexec again-uninstall '/x C:\package.msi /qn')"
expect "another saver's SCRNSAVE.EXE stays" 'C:\windows\system32\other.scr' "$(reg_value "$desktop" SCRNSAVE.EXE)"
expect "no saver in the system folder" absent "$([[ -e "$installed" ]] && echo present || echo absent)"
expect "no uninstall entry" "" "$(entries)"
