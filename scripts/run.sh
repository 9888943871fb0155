#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Curvalo and starts it. Without any display it runs the
# program on a virtual display, saves a screenshot of its window, and closes it cleanly.
set -euo pipefail

cd "$(dirname "$0")/.."
scripts/install-deps.sh run

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DCURVALO_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --parallel "$(nproc)"
program=$PWD/build/release/src/curvalo

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" "$@"
fi

echo "No display found: starting Curvalo on a virtual display."
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
cleanup() {
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n 1 "$work/display")"

"$program" "$@" &
curvalo=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Curvalo$' | head -n 1)
sleep 1
screenshot=$PWD/build/curvalo-screenshot.png
import -window "$window" "$screenshot"
echo "Screenshot of the window: $screenshot"

# Quit through the window system, as a user would with the quit shortcut.
xdotool windowfocus --sync "$window"
xdotool key ctrl+q
status=0
wait "$curvalo" || status=$?
if [ "$status" -eq 0 ]; then
    echo "Curvalo closed cleanly (exit code 0)."
else
    echo "Curvalo ended with exit code $status." >&2
    exit "$status"
fi
