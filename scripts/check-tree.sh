#!/usr/bin/env bash
# Fails when a tracked file over 256 KB is not one of the pictures and resources below: large files
# in the tree are pictures the documents show, everything else is generated at build time.
set -euo pipefail
cd "$(dirname "$0")/.."

limit=$((256 * 1024))
allowed=(
  docs/cycle.gif          # the README's whole cycle of the five actions
  docs/contact_sheet.png  # the README's sheet of every frame
)

status=0
while IFS= read -r -d '' file; do
  [[ -f "$file" ]] || continue
  size=$(stat -c %s "$file")
  ((size > limit)) || continue
  if [[ " ${allowed[*]} " != *" $file "* ]]; then
    echo "tracked file over 256 KB that is not a documented picture or resource: $file ($size bytes)" >&2
    status=1
  fi
done < <(git ls-files -z)
exit $status
