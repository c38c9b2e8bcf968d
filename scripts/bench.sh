#!/usr/bin/env bash
# Builds every benchmark in build-bench/ (optimised, with the benchmarks
# switched on) and runs each bench_* program found in build-bench/bench.
# Extra arguments go to every program, e.g.:
#   scripts/bench.sh --benchmark_filter=Small
#   scripts/bench.sh --benchmark_format=json
#
# --postgres (first) runs bench_engines alone, on the embedded file and on a
# PostgreSQL cluster started for the run and stopped afterwards. The cluster's
# folder, $ZQVR_BENCH_DIR/zqvr-bench-pg (the temporary folder by default),
# stays with its data set, so only the first run makes it:
#   scripts/bench.sh --postgres
#   ZQVR_BENCH_PG_TICKETS=200000 scripts/bench.sh --postgres --benchmark_filter=MonitorTick
set -euo pipefail

postgres=0
if [ "${1:-}" = "--postgres" ]; then
  postgres=1
  shift
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"
jobs="${BENCH_JOBS:-2}"

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZQVR_BUILD_BENCH=ON -DZQVR_BUILD_TESTS=OFF >/dev/null
targets=$(ninja -C "$build" -t targets all | sed -n 's/^\(bench_[A-Za-z0-9_]*\): .*/\1/p' | sort -u)
if [ -z "$targets" ]; then
  echo "No benchmark programs are defined." >&2
  exit 1
fi
if [ $postgres = 1 ]; then
  targets=bench_engines
fi
# shellcheck disable=SC2086
ninja -C "$build" -j "$jobs" $targets

export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
if [ $postgres = 1 ]; then
  bench_dir="${ZQVR_BENCH_DIR:-${TMPDIR:-/tmp}}"
  mkdir -p "$bench_dir"
  cluster="$(cd "$bench_dir" && pwd)/zqvr-bench-pg"
  "$root/scripts/pg-cluster.sh" start "$cluster"
  trap '"$root/scripts/pg-cluster.sh" stop "$cluster"' EXIT
  # shellcheck disable=SC1091
  . "$cluster/env"
  "$build/bench/bench_engines" "$@"
  exit
fi
status=0
for program in "$build"/bench/bench_*; do
  [ -x "$program" ] && [ -f "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" "$@" || status=1
done
exit $status
