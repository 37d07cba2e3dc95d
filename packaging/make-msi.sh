#!/bin/bash
# Builds one Windows Installer package of the saver with wixl, then sets in its tables what wixl's
# WiX subset cannot express.
# usage: make-msi.sh ARCH VERSION MANUFACTURER SCR ICON LICENCE_TXT OUTPUT_MSI   (ARCH: x64 or x86)
set -euo pipefail
arch=$1 version=$2 manufacturer=$3 scr=$4 icon=$5 licence=$6 output=$7
source=$(cd "$(dirname "$0")" && pwd)
case $arch in
  x64) folder=System64Folder choice_attributes=272 ;; # 64-bit component, permanent
  x86) folder=SystemFolder choice_attributes=16 ;;    # permanent
  *) echo "make-msi.sh: ARCH must be x64 or x86, not $arch" >&2; exit 2 ;;
esac

# wixl finds sources only by relative names.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$scr" "$stage/lomlom.scr"
cp "$icon" "$stage/saver.ico"
cp "$licence" "$stage/LICENSE.txt"
msi=$stage/package.msi
(cd "$stage" && wixl -a "$arch" -D Arch="$arch" -D Version="$version" -D Manufacturer="$manufacturer" \
  "$source/lomlom.wxs" -o "$msi")

reg="\"[$folder]reg.exe\""
upgrade_code=$(msiinfo export "$msi" Property | sed -n 's/^UpgradeCode\t//p' | tr -d '\r')
queries=(
  # The saver is a versioned file: a repair or reinstall compares versions instead of dates.
  "UPDATE \`File\` SET \`Version\` = '$version.0' WHERE \`File\` = 'LomlomScr'"
  "DELETE FROM \`MsiFileHash\` WHERE \`File_\` = 'LomlomScr'"
  # The user's saver is chosen only when asked.
  "UPDATE \`Component\` SET \`Condition\` = 'SETSAVER = 1', \`Attributes\` = $choice_attributes WHERE \`Component\` = 'SaverChoice'"
  "UPDATE \`Property\` SET \`Value\` = 'SETSAVER;WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED' WHERE \`Property\` = 'SecureCustomProperties'"
  # The same version again replaces the one installed too, so a rebuilt package never adds an entry.
  "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'WIX_UPGRADE_DETECTED'"
  "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`) VALUES ('$upgrade_code', '$version', 513, 'WIX_UPGRADE_DETECTED')"
  # The old version goes first, so the new package's files are always the ones installed.
  "UPDATE \`InstallExecuteSequence\` SET \`Sequence\` = 1450 WHERE \`Action\` = 'RemoveExistingProducts'"
  # Uninstalling (not upgrading): the user's SCRNSAVE.EXE goes while it names our file (as the user,
  # deferred), the machine's settings key goes (as the system). Type 34 + 64 (exit code ignored:
  # the value or key may already be gone) + 1024 (deferred) [+ 2048 no impersonation].
  "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) VALUES ('ForgetSaver', 1122, '$folder', '$reg delete \"HKCU\\Control Panel\\Desktop\" /v SCRNSAVE.EXE /f')"
  "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) VALUES ('ForgetSettings', 3170, '$folder', '$reg delete \"HKLM\\SOFTWARE\\NUVARIS\\ORUScreenSaver\\LOMLOM_ACTION_2\" /f')"
  "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('ForgetSaver', 'REMOVE~=\"ALL\" AND NOT UPGRADINGPRODUCTCODE AND SAVERCHOICE~=OURSAVER', 3400)"
  "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('ForgetSettings', 'REMOVE~=\"ALL\" AND NOT UPGRADINGPRODUCTCODE', 3401)"
)
for query in "${queries[@]}"; do
  msibuild "$msi" -q "$query"
done
mkdir -p "$(dirname "$output")"
mv "$msi" "$output"
