#!/usr/bin/env bash
# Builds Zorvex and starts it from the build folder; it finds the shipped
# data beside itself (build/share/zorvex) and fills the user's data folder
# (~/.local/share/zorvex) from it on the first start. Without a display it
# renders the main window into a picture instead.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/bootstrap
build=$(./scripts/configure)
cmake --build "$build"
exe="$build/src/zorvex"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot="$PWD/$build/zorvex.png"
  echo "No display: rendering the main window to $shot"
  exec "$exe" --screenshot "$shot" "$@"
fi
exec "$exe" "$@"
