#!/usr/bin/env bash
# Renews the README's pictures of the window (docs/screenshots/*.png) from a fresh build, under
# a virtual X server so the window looks as on an operator's desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v xvfb-run >/dev/null; then
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get install -y xvfb
fi
build=${ZEB_BUILD_DIR:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target zeb-screenshots
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/tests/zeb-screenshots" docs/screenshots
