#!/bin/bash
# Reads one Windows Installer package with msiinfo and msiextract and checks the tables that make it
# ours: product name, version and publisher, the per-machine install into the platform's system
# folder, the saver as a versioned file equal to the build's, the icon and the licence, the
# major-upgrade rows, SETSAVER and the uninstall actions.
# usage: check-msi.sh MSI ARCH VERSION MANUFACTURER SCR ICON LICENCE_TXT WORK_DIR
set -u
msi=$(realpath "$1") arch=$2 version=$3 manufacturer=$4 scr=$5 icon=$6 licence=$7 work=$8
# shellcheck source=e2e/expect.sh
source "$(dirname "$0")/../e2e/expect.sh"


[[ -f "$msi" ]] || { echo "FAIL: $msi not found (cmake --build --preset native --target msi)"; exit 1; }
rm -rf "$work"
mkdir -p "$work"
# row TABLE KEY: the row whose first column is KEY, its columns separated by tabs.
row() { msiinfo export "$msi" "$1" | tr -d '\r' | awk -F '\t' -v key="$2" 'NR > 3 && $1 == key'; }
property() { row Property "$1" | cut -f 2; }
case $arch in
  x64) template="x64;1033" folder=System64Folder saver_attributes=256 choice_attributes=272 ;;
  x86) template="Intel;1033" folder=SystemFolder saver_attributes=0 choice_attributes=16 ;;
esac

expect "platform and language" "$template" "$(msiinfo suminfo "$msi" | sed -n 's/^Template: //p')"
expect "product name" "ORU Screen Saver" "$(property ProductName)"
expect "version" "$version" "$(property ProductVersion)"
expect "manufacturer" "$manufacturer" "$(property Manufacturer)"
expect "per machine" 1 "$(property ALLUSERS)"
expect "fixed upgrade code" "{CE6249FB-3ABF-49B3-A3BD-C73089217647}" "$(property UpgradeCode)"
expect "icon in Apps & features" saver.ico "$(property ARPPRODUCTICON)"
expect "SETSAVER passes to the elevated install" 1 "$(property SecureCustomProperties | tr ';' '\n' | grep -cx SETSAVER)"
expect "SETSAVER off by default" "" "$(property SETSAVER)"

expect "the saver's file" "LomlomScr	Saver	lomlom.scr	$(stat -c %s "$scr")	$version.0" \
  "$(row File LomlomScr | cut -f 1-5)"
expect "the saver's component: the system folder, this platform" "Saver	$folder	$saver_attributes		LomlomScr" \
  "$(row Component Saver | cut -f 1,3-6)"
expect "the saver chosen only with SETSAVER=1, and never removed by the package" \
  "SaverChoice	$folder	$choice_attributes	SETSAVER = 1" "$(row Component SaverChoice | cut -f 1,3-5)"
choice_key=$(row Component SaverChoice | cut -f 6)
expect "SCRNSAVE.EXE names the installed file" "1	Control Panel\\Desktop	SCRNSAVE.EXE	[#LomlomScr]	SaverChoice" \
  "$(row Registry "$choice_key" | cut -f 2-6)"
expect "ScreenSaveActive" "1	Control Panel\\Desktop	ScreenSaveActive	1	SaverChoice" \
  "$(msiinfo export "$msi" Registry | tr -d '\r' | awk -F '\t' '$4 == "ScreenSaveActive"' | cut -f 2-6)"
expect "licence in the install folder" "INSTALLDIR	ORU Screen Saver" "$(row Directory INSTALLDIR | cut -f 1,3)"
expect "licence linked from Apps & features" "SetReadme	51	ARPREADME	[INSTALLDIR]LICENSE.txt" \
  "$(row CustomAction SetReadme | cut -f 1-4 | sed 's/\t2099\t/\t51\t/')"

# Major upgrade: older and equal versions are removed first; a newer one installed stops this one.
upgrade=$(msiinfo export "$msi" Upgrade | tr -d '\r' | awk 'NR > 3' | cut -f 2,3,5,7 | sort)
expect "upgrade rows" "	$version	513	WIX_UPGRADE_DETECTED
$version		2	WIX_DOWNGRADE_DETECTED" "$upgrade"
sequence() { row InstallExecuteSequence "$1" | cut -f 3; }
expect "old version removed between InstallValidate and InstallInitialize" 1 \
  $(($(sequence InstallValidate) < $(sequence RemoveExistingProducts) && $(sequence RemoveExistingProducts) < $(sequence InstallInitialize)))

# Uninstall (not the upgrade's): deferred reg.exe runs, the user's value as the user, the machine's key as the system.
expect "SCRNSAVE.EXE cleared only while it names our file" \
  "REMOVE~=\"ALL\" AND NOT UPGRADINGPRODUCTCODE AND SAVERCHOICE~=OURSAVER" "$(row InstallExecuteSequence ForgetSaver | cut -f 2)"
expect "our file's path" "[$folder]lomlom.scr" "$(row CustomAction SetOurSaver | cut -f 4)"
expect "SCRNSAVE.EXE found by AppSearch" "SaverChoiceSearch	1	Control Panel\\Desktop	SCRNSAVE.EXE	2" \
  "$(row RegLocator SaverChoiceSearch)"
expect "ForgetSaver" "1122	$folder	\"[$folder]reg.exe\" delete \"HKCU\\Control Panel\\Desktop\" /v SCRNSAVE.EXE /f" \
  "$(row CustomAction ForgetSaver | cut -f 2-4)"
expect "ForgetSettings" "3170	$folder	\"[$folder]reg.exe\" delete \"HKLM\\SOFTWARE\\NUVARIS\\ORUScreenSaver\\LOMLOM_ACTION_2\" /f" \
  "$(row CustomAction ForgetSettings | cut -f 2-4)"
expect "settings key removed on uninstall only" "REMOVE~=\"ALL\" AND NOT UPGRADINGPRODUCTCODE" \
  "$(row InstallExecuteSequence ForgetSettings | cut -f 2)"
for action in ForgetSaver ForgetSettings; do
  expect "$action runs inside the install script" 1 \
    $(($(sequence InstallInitialize) < $(sequence $action) && $(sequence $action) < $(sequence InstallFinalize)))
done

# The packed files, as msiextract unpacks them, and the icon stream.
(cd "$work" && msiextract "$msi" >/dev/null) || { echo "FAIL: msiextract $msi"; exit 1; }
packed_scr=$(find "$work" -name lomlom.scr)
expect "the packed saver is the build's" 1 "$(cmp -s "$scr" "$packed_scr" && echo 1)"
expect "the packed licence is LICENSE.txt" 1 "$(cmp -s "$licence" "$(find "$work" -name LICENSE.txt)" && echo 1)"
mkdir -p "$work/dump" && msidump -s -d "$work/dump" "$msi" >/dev/null 2>&1
expect "the icon is the saver's" 1 "$(cmp -s "$icon" "$work/dump/_Streams/Icon.saver.ico" && echo 1)"
((E2E_FAILURES == 0))
