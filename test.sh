#!/usr/bin/env bash
# Builds Zorvex and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/bootstrap
build=$(./scripts/configure)
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
