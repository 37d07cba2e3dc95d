#!/usr/bin/env bash
# Signs release files in place (Authenticode, SHA-256) with osslsigncode: the savers before they are
# packed, then the packages. The certificate comes from the environment:
#   LOMLOM_SIGN_PKCS12     the PKCS#12 file (.p12 or .pfx) holding the certificate and its key
#   LOMLOM_SIGN_PASSWORD   its password, if it has one
#   LOMLOM_SIGN_TIMESTAMP  an RFC 3161 time-stamp server's URL, if the signature is to outlive the certificate
# Without LOMLOM_SIGN_PKCS12 it signs nothing, says so and succeeds.
# usage: sign.sh FILE...
set -euo pipefail

if [[ -z "${LOMLOM_SIGN_PKCS12:-}" ]]; then
  echo "sign.sh: LOMLOM_SIGN_PKCS12 is not set: $# file(s) left unsigned"
  exit 0
fi
[[ -f "$LOMLOM_SIGN_PKCS12" ]] || { echo "sign.sh: no certificate at $LOMLOM_SIGN_PKCS12" >&2; exit 1; }
command -v osslsigncode >/dev/null || { echo "sign.sh: osslsigncode not found (scripts/setup.sh installs it)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The password goes through a file of our own, not the command line that every process can read.
options=(-pkcs12 "$LOMLOM_SIGN_PKCS12" -h sha256 -n "ORU Screen Saver")
if [[ -n "${LOMLOM_SIGN_PASSWORD:-}" ]]; then
  (umask 077 && printf '%s' "$LOMLOM_SIGN_PASSWORD" >"$work/password")
  options+=(-readpass "$work/password")
fi
[[ -n "${LOMLOM_SIGN_TIMESTAMP:-}" ]] && options+=(-ts "$LOMLOM_SIGN_TIMESTAMP")

for file in "$@"; do
  [[ -f "$file" ]] || { echo "sign.sh: $file not found" >&2; exit 1; }
  unsigned=$work/unsigned
  # A file signed before (an earlier run) is signed afresh, not given a second signature.
  osslsigncode remove-signature -in "$file" -out "$unsigned" >/dev/null 2>&1 || cp "$file" "$unsigned"
  osslsigncode sign "${options[@]}" -in "$unsigned" -out "$work/signed" >"$work/log" 2>&1 ||
    { cat "$work/log" >&2; echo "sign.sh: signing $file failed" >&2; exit 1; }
  mv "$work/signed" "$file"
  rm -f "$unsigned"
  echo "signed $file"
done
