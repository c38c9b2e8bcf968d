#!/usr/bin/env bash
# Tries every statement the contract tests check against a site's SQL Server,
# without changing it (SELECTs are read, other statements only compiled under
# SET NOEXEC ON), plus the make and drop of a grid-print table in tempdb.
# Prints each statement that failed.
#
#   scripts/sqlserver-smoke.sh "DSN=tienda;UID=brevanto;PWD=..."
#
# The DSN is set up as the README's integrator notes say (FreeTDS, TDS
# version 7.4, UTF-8 client charset).
set -euo pipefail
if [ $# -ne 1 ]; then echo "uso: $0 CADENA_ODBC (p. ej. \"DSN=tienda\")" >&2; exit 2; fi
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
dump="$(mktemp /tmp/zqvr-contract.XXXXXX.sql)"
trap 'rm -f "$dump"' EXIT
# The contract tests record the SQL Server text of every statement.
(cd build && ZQVR_RECORD_DUMP="$dump" QT_QPA_PLATFORM=offscreen ctest -R '^StatementContract' -E '^pg\.' -j1 >/dev/null)
build/tools/sqlserver-smoke/zqvr-sqlserver-smoke "$1" "$dump"
