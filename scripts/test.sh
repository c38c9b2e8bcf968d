#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest on the
# offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j "$(nproc)" --timeout 300
