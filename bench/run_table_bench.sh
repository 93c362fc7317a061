#!/bin/sh
# Builds the table benchmark (Release), generates its data once and runs it.
# usage: bench/run_table_bench.sh [BUILD_DIR]
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build-bench}
data=$src/bench/data
mkdir -p "$data"

cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$build" -j2 bench_table_load

csv=$data/table_bench.csv
if [ ! -f "$csv" ]; then
    echo "generating $csv"
    python3 "$src/bench/gen_csv.py" "$csv" 1000000 20240521
fi

cat "$csv" >/dev/null   # read from the page cache, as a recently used file is
echo "machine load    $(cut -d' ' -f1-3 /proc/loadavg) (figures in wall time; processor time in brackets)"
"$build/bench/bench_table_load" "$csv" "$data"
if cmp -s "$csv" "$data/table_bench_out.csv"; then
    echo "round trip      CSV saved byte for byte as read"
else
    echo "round trip      CSV DIFFERS from the file read"
    exit 1
fi
