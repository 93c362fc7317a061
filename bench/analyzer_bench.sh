#!/bin/sh
# The analyzer benchmark: builds it (Release), writes the 1,000,000-row
# transaction file once (seeded), runs the analyzer's steps and the same work
# in pandas (Debian's python3-pandas, installed here for this script only,
# run by the system Python), and prints both figures and their ratios.
# usage: bench/analyzer_bench.sh [BUILD_DIR]
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build-bench}
data=$src/bench/data
mkdir -p "$data"

cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$build" -j2 bench_gen_transactions bench_analyzer_bench >/dev/null

csv=$data/transactions.csv
if [ ! -f "$csv" ]; then
    echo "generating $csv"
    "$build/bench/bench_gen_transactions" "$csv" 1000000 20261209
fi
echo "file            $(du -m "$csv" | cut -f1) MB, $(wc -l < "$csv") lines"

if ! /usr/bin/python3 -c "import pandas" 2>/dev/null; then
    echo "installing python3-pandas for the comparison"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq python3-pandas >/dev/null ||
        { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq python3-pandas >/dev/null; }
fi

cat "$csv" >/dev/null   # both read from the page cache
echo "machine load    $(cut -d' ' -f1-3 /proc/loadavg) (2 cores)"
echo "== Corvane"
ours=$("$build/bench/bench_analyzer_bench" "$csv")
echo "$ours" | grep -v '^RESULT'
echo "== pandas"
theirs=$(/usr/bin/python3 "$src/bench/analyzer_pandas.py" "$csv")
echo "$theirs" | grep -v '^RESULT'

field() { echo "$1" | sed -n "s/^RESULT.* $2=\([0-9.]*\).*/\1/p"; }
ot=$(field "$ours" open_stats_s); oc=$(field "$ours" open_stats_cpu); om=$(field "$ours" peak_mb)
pt=$(field "$theirs" open_stats_s); pc=$(field "$theirs" open_stats_cpu); pm=$(field "$theirs" peak_mb)
echo "== open + statistics"
awk -v ot="$ot" -v pt="$pt" -v oc="$oc" -v pc="$pc" -v om="$om" -v pm="$pm" 'BEGIN {
    printf "wall time:      Corvane %.3f s, pandas %.3f s: %.1f times faster (target 5)\n", ot, pt, pt / ot
    printf "processor time: Corvane %.3f s, pandas %.3f s: %.1f times less\n", oc, pc, pc / oc
    printf "peak memory:    Corvane %d MB, pandas %d MB: %.1f times less\n", om, pm, pm / om
}'
