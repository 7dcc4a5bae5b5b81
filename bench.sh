#!/usr/bin/env bash
# Benchmarks of the host build (tzk's core on the host adaptors).
#   ./bench.sh [extra google-benchmark flags, e.g. --benchmark_filter=Stage]
set -euo pipefail
cd "$(dirname "$0")"
dir=build/host
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
# Only the benchmark; building everything else is test.sh's job.
if ! cmake --build "$dir" -j "${ZARVEL_JOBS:-2}" --target zarvel_bench; then
  echo "bench.sh: no zarvel_bench target (no bench/*.cpp or libbenchmark-dev missing?)" >&2
  exit 1
fi
# Half a second per figure keeps the run short and the numbers steady
# enough on a shared 2-core machine.
exec "$dir/zarvel_bench" --benchmark_min_time="${ZARVEL_BENCH_MIN_TIME:-0.5}" \
  --benchmark_counters_tabular=true "$@"
