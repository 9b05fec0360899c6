#!/usr/bin/env bash
# Builds Zorvex and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/bootstrap
build=${ZORVEX_BUILD_DIR:-build}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVEX_WERROR=$werror
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
