#!/bin/sh
# The store's start-up load and exit save on 20,000 items with 10 history
# entries each, 5,000 customers and 9,999 invoices (Release build).
# usage: bench/run_store_bench.sh [BUILD_DIR]
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build-bench}
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$build" -j2 bench_store_load >/dev/null
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
echo "machine load    $(cut -d' ' -f1-3 /proc/loadavg) (2 cores)"
"$build/bench/bench_store_load" "$data" 3
