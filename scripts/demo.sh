#!/usr/bin/env bash
# Installs what is missing, builds, and starts the demo host on its embedded
# database (created with the demo data on first run). Extra arguments go to
# the host, e.g. --db /tmp/brevanto.db
#
#   scripts/demo.sh --postgres [host arguments]
# starts instead a local PostgreSQL cluster under ~/.local/share/Brevanto/pg
# (made, with the schema and the demo data, on the first run) and opens the
# host on it through ODBC, as a site opens it on its server. The cluster stops
# when the host is closed.
set -euo pipefail
cd "$(dirname "$0")/.."
postgres=0
if [ "${1:-}" = "--postgres" ]; then postgres=1; shift; fi
scripts/deps.sh
scripts/build.sh
host=(build/app/brevanto-host)
if [ "$postgres" = 1 ]; then
  pgdir="${XDG_DATA_HOME:-$HOME/.local/share}/Brevanto/pg"
  scripts/pg-cluster.sh stop "$pgdir" >/dev/null 2>&1 || true
  scripts/pg-cluster.sh start "$pgdir"
  trap 'scripts/pg-cluster.sh stop "$pgdir"' EXIT
  # shellcheck disable=SC1091
  . "$pgdir/env"
  if ! "$ZQVR_PG_BIN/psql" -h 127.0.0.1 -p "$ZQVR_PG_PORT" -U zqvr -d postgres -tAc \
       "SELECT 1 FROM pg_database WHERE datname = 'brevanto'" | grep -q 1; then
    "$ZQVR_PG_BIN/createdb" -h 127.0.0.1 -p "$ZQVR_PG_PORT" -U zqvr brevanto
  fi
  host+=(--connection "odbc:$ZQVR_PG_ODBC;Database=brevanto")
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting the demo host inside a virtual X server (xvfb-run)."
  xvfb-run -a -s "-screen 0 1280x900x24" "${host[@]}" "$@"
else
  "${host[@]}" "$@"
fi
