#!/usr/bin/env bash
# Installs what is missing, builds, and starts the demo host on its embedded
# database (created with the demo data on first run). Extra arguments go to
# the host, e.g. --db /tmp/brevanto.db
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting the demo host inside a virtual X server (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x900x24" build/app/brevanto-host "$@"
fi
exec build/app/brevanto-host "$@"
