#!/usr/bin/env bash
# Builds the parsers' fuzz targets with clang (libFuzzer, address and
# undefined-behaviour sanitizers) in build-fuzz/ and runs each one for a
# bounded time, starting from its seed files. A target that crashes, leaks,
# hits undefined behaviour or breaks one of its checks leaves the input in
# build-fuzz/artifacts/ and makes the script fail.
#   FUZZ_SECONDS  time per target (default 20)
#   FUZZ_JOBS     parallel compile jobs (default 2)
#   FUZZ_SEED     libFuzzer's random seed (default 1, so that a CI run repeats a run made here)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-20}"
jobs="${FUZZ_JOBS:-2}"

scripts/deps.sh clang libclang-rt-dev llvm

launcher=""
command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
# Light optimisation and line tables: fast enough to fuzz, readable reports.
cmake -S . -B build-fuzz -G Ninja $launcher \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Fuzz \
  -DCMAKE_CXX_FLAGS_FUZZ="-O1 -gline-tables-only" \
  -DZQVR_BUILD_FUZZ=ON -DZQVR_BUILD_TESTS=OFF -DZQVR_BUILD_APPS=OFF >/dev/null

# Only the targets and the libraries they link.
mapfile -t lines < build-fuzz/fuzz-targets.txt
targets=()
for line in "${lines[@]}"; do
  targets+=("${line%% *}")
done
cmake --build build-fuzz -j "$jobs" --target "${targets[@]}"

symbolizer="$(command -v llvm-symbolizer || ls /usr/lib/llvm-*/bin/llvm-symbolizer 2>/dev/null | head -n1 || true)"
[ -n "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH="$symbolizer"
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
mkdir -p build-fuzz/artifacts
for line in "${lines[@]}"; do
  read -r target seeds <<<"$line"
  corpus="build-fuzz/corpus/$target"
  mkdir -p "$corpus"
  echo "== $target: ${seconds}s"
  # New inputs go to the corpus folder; the seed folders are only read.
  # shellcheck disable=SC2086
  if ! "build-fuzz/tests/fuzz/$target" -seed="${FUZZ_SEED:-1}" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target-" \
      "$corpus" $seeds; then
    failed+=("$target")
  fi
done

if ((${#failed[@]})); then
  echo "Fuzzing found faults in: ${failed[*]} (inputs in build-fuzz/artifacts/)" >&2
  exit 1
fi
echo "Fuzzing found nothing in ${#lines[@]} targets."
