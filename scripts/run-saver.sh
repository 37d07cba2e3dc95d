#!/usr/bin/env bash
# Builds the saver and runs it in saving mode under Wine: on your display when there is one (any key
# or mouse movement ends it), otherwise for a few seconds under Xvfb, leaving a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
exec bash e2e/run-saver-demo.sh build/win64/lomlom.scr
