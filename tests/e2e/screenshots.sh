#!/bin/sh
# Pictures of the main window at 800 x 600 and at 1920 x 1080 under Xvfb.
#   tests/e2e/screenshots.sh BUILD_DIR OUT_DIR
set -eu
BUILD=${1:-build/debug}
OUT=${2:-.}
mkdir -p "$OUT"
TOOL="$BUILD/tests/e2e/e2e_screenshot"
# A sanitizer build would report the display libraries' own leaks at exit.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
xvfb-run -a -s "-screen 0 800x600x24" "$TOOL" "$OUT/main-800x600.png"
xvfb-run -a -s "-screen 0 1920x1080x24" "$TOOL" "$OUT/main-1920x1080.png" --maximised
