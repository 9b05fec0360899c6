#!/usr/bin/env bash
# Builds Zorvex, installs it into build/stage and starts it. The first start
# seeds the user's data folder (~/.local/share/zorvex) from the shipped data.
# Without a display it renders the main window into a picture instead.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/bootstrap
build=${ZORVEX_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX="$PWD/$build/stage"
cmake --build "$build"
cmake --install "$build" >/dev/null
exe="$build/stage/bin/zorvex"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot="$PWD/$build/zorvex.png"
  echo "No display: rendering the main window to $shot"
  QT_QPA_PLATFORM=offscreen exec "$exe" --screenshot "$shot" "$@"
fi
exec "$exe" "$@"
