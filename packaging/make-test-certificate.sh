#!/bin/bash
# A throwaway self-signed code-signing certificate for the tests: DIR/cert.pem (to verify against)
# and DIR/cert.p12 (to sign with, password "test").
# usage: make-test-certificate.sh DIR
set -euo pipefail
dir=$1
mkdir -p "$dir"
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj "/CN=ORU Screen Saver test signer" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$dir/key.pem" -out "$dir/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$dir/key.pem" -in "$dir/cert.pem" -passout pass:test -out "$dir/cert.p12"
