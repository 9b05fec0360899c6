#!/usr/bin/env bash
# Builds Zorvex and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/bootstrap
build=$(./scripts/configure)
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
# A short, repeatable run of every fuzz target (clang, its own build folder).
tools/fuzz/run-short
