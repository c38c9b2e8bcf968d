#!/usr/bin/env bash
# A throw-away PostgreSQL cluster for the tests and the demo, reached the way a
# site reaches its server: unixODBC, the engine's ODBC driver and Qt's QODBC.
#
#   scripts/pg-cluster.sh start DIR   initdb in DIR (if empty), start it on
#                                     127.0.0.1 on a free port, write DIR/env
#   scripts/pg-cluster.sh stop DIR    stop it (the folder stays)
#
# DIR/env exports ODBCSYSINI/ODBCINI pointing at the cluster's own
# odbcinst.ini/odbc.ini (no system file is changed) and ZQVR_PG_ODBC, the ODBC
# connection text without a database, naming the driver registered there (the
# DSN zqvr_pg says the same for isql; unixODBC's wide-character connect, which
# Qt uses, does not find a DSN given in the text, so the text names the driver).
# The server refuses to run as root, so as root it runs as "nobody".
set -euo pipefail
cmd="${1:-}"; dir="${2:-}"
if [ -z "$cmd" ] || [ -z "$dir" ]; then
  echo "uso: $0 start|stop CARPETA" >&2; exit 2
fi
bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)"
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
  echo "PostgreSQL no está instalado (falta initdb)." >&2; exit 1
fi
as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u nobody -- "$@"; else "$@"; fi
}
data="$dir/data"
case "$cmd" in
start)
  mkdir -p "$dir"
  if [ "$(id -u)" -eq 0 ]; then chown nobody:nogroup "$dir"; chmod 700 "$dir"; fi
  if [ ! -f "$data/PG_VERSION" ]; then
    as_owner "$bin/initdb" -D "$data" -U zqvr --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 \
      || { cat "$dir/initdb.log" >&2; exit 1; }
  fi
  port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')"
  as_owner "$bin/pg_ctl" -D "$data" -l "$dir/server.log" -w -t 60 start -o \
    "-c listen_addresses=127.0.0.1 -c port=$port -c unix_socket_directories=$dir -c fsync=off \
     -c synchronous_commit=off -c full_page_writes=off -c max_connections=200 -c datestyle=iso,dmy" >/dev/null \
    || { cat "$dir/server.log" >&2; exit 1; }
  driver="$(ls /usr/lib/*/odbc/psqlodbcw.so 2>/dev/null | head -1)"
  if [ -z "$driver" ]; then echo "Falta el controlador ODBC de PostgreSQL (odbc-postgresql)." >&2; exit 1; fi
  mkdir -p "$dir/odbc"
  cat >"$dir/odbc/odbcinst.ini" <<INI
[PostgreSQL Unicode]
Description=PostgreSQL ODBC driver (Unicode)
Driver=$driver
INI
  freetds="$(ls /usr/lib/*/odbc/libtdsodbc.so 2>/dev/null | head -1 || true)"
  if [ -n "$freetds" ]; then
    printf '[FreeTDS]\nDescription=FreeTDS\nDriver=%s\n' "$freetds" >>"$dir/odbc/odbcinst.ini"
  fi
  cat >"$dir/odbc/odbc.ini" <<INI
[zqvr_pg]
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$port
Database=postgres
Username=zqvr
ByteaAsLongVarBinary=1
UseServerSidePrepare=1
INI
  chmod -R a+rX "$dir/odbc"
  cat >"$dir/env" <<ENV
export ODBCSYSINI="$dir/odbc"
export ODBCINI="$dir/odbc/odbc.ini"
export ZQVR_PG_ODBC="Driver={PostgreSQL Unicode};Servername=127.0.0.1;Port=$port;Username=zqvr;ByteaAsLongVarBinary=1;UseServerSidePrepare=1"
export ZQVR_PG_PORT="$port"
export ZQVR_PG_BIN="$bin"
ENV
  echo "PostgreSQL en 127.0.0.1:$port ($data)"
  ;;
stop)
  if [ -f "$data/postmaster.pid" ]; then as_owner "$bin/pg_ctl" -D "$data" -m immediate stop >/dev/null || true; fi
  ;;
*)
  echo "uso: $0 start|stop CARPETA" >&2; exit 2 ;;
esac
