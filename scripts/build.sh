#!/usr/bin/env bash
# Configures and builds everything (library, demo host, tests) in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQVR_BUILD_TESTS=ON >/dev/null
cmake --build build -j "$(nproc)"
