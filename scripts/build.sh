#!/usr/bin/env bash
# Configures and builds everything (library, demo host, tests) in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=""
command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
cmake -S . -B build -G Ninja $launcher -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQVR_BUILD_TESTS=ON >/dev/null
cmake --build build -j "$(nproc)"
