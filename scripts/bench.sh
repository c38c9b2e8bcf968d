#!/usr/bin/env bash
# Builds every benchmark in build-bench/ (optimised, with the benchmarks
# switched on) and runs each bench_* program found in build-bench/bench.
# Extra arguments go to every program, e.g.:
#   scripts/bench.sh --benchmark_filter=Small
#   scripts/bench.sh --benchmark_format=json
set -euo pipefail

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
# shellcheck disable=SC2086
ninja -C "$build" -j "$jobs" $targets

export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
status=0
for program in "$build"/bench/bench_*; do
  [ -x "$program" ] && [ -f "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" "$@" || status=1
done
exit $status
