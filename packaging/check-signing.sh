#!/bin/bash
# Signs copies of both savers and both packages with a throwaway self-signed certificate through
# scripts/sign.sh, as a release would, and checks with osslsigncode that every signature verifies
# against that certificate. Leaves the signed savers in WORK_DIR as lomlom-64bit.scr and
# lomlom-32bit.scr for the import and resource checks that follow.
# usage: check-signing.sh SIGN_SH WORK_DIR WIN64_SCR WIN32_SCR X64_MSI X86_MSI
set -u
sign=$1 work=$2 win64=$3 win32=$4 msi64=$5 msi86=$6
failures=0
for file in "$win64" "$win32" "$msi64" "$msi86"; do
  [[ -f "$file" ]] || { echo "FAIL: $file not found (build the presets and the msi target first)"; exit 1; }
done
rm -rf "$work"
mkdir -p "$work"
bash "$(dirname "$0")/make-test-certificate.sh" "$work/certificate" || { echo "FAIL: openssl made no certificate"; exit 1; }

unsigned=$(LOMLOM_SIGN_PKCS12='' bash "$sign" "$win64")
if [[ "$unsigned" == *"left unsigned"* ]]; then
  echo "ok:   without a certificate sign.sh signs nothing and says so"
else
  echo "FAIL: without a certificate sign.sh said '$unsigned'"
  failures=$((failures + 1))
fi

cp "$win64" "$work/lomlom-64bit.scr"
cp "$win32" "$work/lomlom-32bit.scr"
cp "$msi64" "$work/x64.msi"
cp "$msi86" "$work/x86.msi"
files=("$work/lomlom-64bit.scr" "$work/lomlom-32bit.scr" "$work/x64.msi" "$work/x86.msi")
LOMLOM_SIGN_PKCS12=$work/certificate/cert.p12 LOMLOM_SIGN_PASSWORD=test bash "$sign" "${files[@]}" ||
  { echo "FAIL: sign.sh"; exit 1; }
for file in "${files[@]}"; do
  name=$(basename "$file")
  if osslsigncode verify -CAfile "$work/certificate/cert.pem" -in "$file" >"$work/$name.verify" 2>&1 &&
    grep -q "^Number of verified signatures: 1$" "$work/$name.verify"; then
    echo "ok:   $name carries one valid signature"
  else
    echo "FAIL: $name: $(tail -n 3 "$work/$name.verify" | tr '\n' ' ')"
    failures=$((failures + 1))
  fi
done
# A signature of another certificate does not verify against ours: the check can fail.
bash "$(dirname "$0")/make-test-certificate.sh" "$work/other" >/dev/null
if osslsigncode verify -CAfile "$work/other/cert.pem" -in "$work/x64.msi" >/dev/null 2>&1; then
  echo "FAIL: x64.msi verified against a certificate that did not sign it"
  failures=$((failures + 1))
else
  echo "ok:   a certificate that did not sign refuses the signature"
fi
((failures == 0))
