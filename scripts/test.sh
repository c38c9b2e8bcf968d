#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest on the
# offscreen platform: once on the embedded file and, as "pg.<test>", once on a
# throw-away PostgreSQL cluster reached through ODBC (started here in a
# temporary folder and stopped at the end; no system file is changed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen

root="$(pwd)"
pgdir="$(mktemp -d /tmp/zqvr-pg.XXXXXX)"
# The trap runs after the cd into build/: the script is named from the root.
cleanup() { "$root/scripts/pg-cluster.sh" stop "$pgdir" || true; rm -rf "$pgdir"; }
trap cleanup EXIT
if scripts/pg-cluster.sh start "$pgdir"; then
  # shellcheck disable=SC1091
  . "$pgdir/env"
else
  echo "*** No se pudo arrancar el servidor PostgreSQL de pruebas: las pruebas \"pg.\" no se ejecutan. ***" >&2
  if [ -n "${CI:-}" ]; then exit 1; fi
fi

cd build
ctest --output-on-failure -j "$(nproc)" --timeout 300 "$@"
