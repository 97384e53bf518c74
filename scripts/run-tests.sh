#!/usr/bin/env bash
# Runs the whole test suite of one build folder on its own virtual display,
# so tests that open the real window work with or without a desktop.
set -euo pipefail
build=${1:-build}
export ALSOFT_DRIVERS=null
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  ctest --test-dir "$build" --output-on-failure -j 2 --timeout 600
