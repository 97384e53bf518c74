#!/usr/bin/env bash
# Runs the whole test suite of one build folder. In-process tests that open
# the real window share one virtual display; the black-box tests start an X
# server each, so they run side by side with everything else.
set -euo pipefail
build=${1:-build}
export ALSOFT_DRIVERS=null
# Only a sanitizer build reads it; leaks that are not the game's own.
export LSAN_OPTIONS="suppressions=$(readlink -f "$(dirname "$0")/../tests/lsan.supp")${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  ctest --test-dir "$build" --output-on-failure -j "${TEST_JOBS:-4}" --timeout 1200
