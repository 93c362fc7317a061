#!/bin/sh
# pellard-report against pandas, sqlite3, DuckDB and Polars on the
# 1,000,000-row transaction file, in its CR LF form and its LF form: the
# daily and monthly summaries of Gross, Fee and Net and the summary of the
# Status field, each timed from the file on disk to the CSV written, with
# peak memory. Then the country summary against the daily one, a daily
# summary of files spanning one year and ten years, and a file of one
# 20 MB line of commas.
# The peers are installed here, for this script only: Debian's python3-pandas
# and sqlite3, and @duckdb/node-api and nodejs-polars from the npm registry
# into bench/data/npm.
# usage: bench/report_vs_peers.sh [BUILD_DIR]
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build-report-bench}
data=$src/bench/data
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
mkdir -p "$data"

if [ ! -x "$build/tools/pellard-report" ] || [ -z "${1:-}" ]; then
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    ninja -C "$build" -j2 bench_gen_transactions pellard-report >/dev/null
fi
tool=$build/tools/pellard-report

csv=$data/transactions.csv
if [ ! -f "$csv" ]; then
    echo "generating $csv"
    "$build/bench/bench_gen_transactions" "$csv" 1000000 20261209
fi
lf=$data/transactions_lf.csv
[ -f "$lf" ] || tr -d '\r' < "$csv" > "$lf"
file_mb=$(($(stat -c %s "$csv") / 1048576))
echo "file: $file_mb MB, $(wc -l < "$csv") lines (CR LF); LF form $(($(stat -c %s "$lf") / 1048576)) MB"

need=""
/usr/bin/python3 -c "import pandas" 2>/dev/null || need="$need python3-pandas"
command -v sqlite3 >/dev/null 2>&1 || need="$need sqlite3"
if [ -n "$need" ]; then
    echo "installing$need for the comparison"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $need >/dev/null ||
        { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $need >/dev/null; }
fi
npm_dir=$data/npm
if [ ! -d "$npm_dir/node_modules/@duckdb/node-api" ] || [ ! -d "$npm_dir/node_modules/nodejs-polars" ]; then
    echo "installing @duckdb/node-api and nodejs-polars for the comparison"
    npm install --silent --no-audit --no-fund --prefix "$npm_dir" @duckdb/node-api nodejs-polars >/dev/null
    # The native part of Polars is an optional dependency that npm may skip.
    v=$(node -p "require('$npm_dir/node_modules/nodejs-polars/package.json').version")
    npm install --silent --no-audit --no-fund --prefix "$npm_dir" "nodejs-polars-linux-x64-gnu@$v" >/dev/null
fi
export PEERS_NODE_MODULES=$npm_dir/node_modules

# Runs a command; prints "WALL_S CPU_S PEAK_MB" (wall clock, user + system
# time, largest resident set). On a busy machine the processor time is the
# steadier figure; both are shown and both are compared.
measure() {
    /usr/bin/time -f "%e %U %S %M" -o "$out/time" "$@" >/dev/null 2>"$out/err" ||
        { cat "$out/err" >&2; exit 1; }
    awk '{ printf "%s %.2f %d\n", $1, $2 + $3, $4 / 1024 }' "$out/time"
}

# The sqlite3 commands of one report: import the file, group, write CSV.
sqlite_script() {  # FILE KEY-EXPRESSION OUT
    agg=""
    for how in sum avg max min; do
        for f in Gross Fee Net; do agg="$agg, $how(CAST($f AS REAL))"; done
    done
    printf '.mode csv\n.import %s t\n.headers on\n.output %s\nSELECT %s AS k, count(*)%s FROM t GROUP BY k ORDER BY k;\n' \
        "$1" "$3" "$2" "$agg"
}

cat "$csv" "$lf" >/dev/null   # everyone reads from the page cache
echo "machine load $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo "each cell: wall seconds / processor seconds / peak MB"
printf '%-14s %20s %20s %20s %20s %20s\n' report pellard-report pandas sqlite3 DuckDB Polars
ratios=$out/ratios
: > "$ratios"
for form in crlf lf; do
    file=$csv
    [ $form = lf ] && file=$lf
    for kind in daily monthly status; do
        case $kind in
        daily) args="--report daily"; key="Date" ;;
        monthly) args="--report monthly"; key="substr(Date, 1, 7)" ;;
        status) args="--report field:Status"; key="lower(Status)" ;;
        esac
        set -- $(measure "$tool" "$file" $args --fields Gross,Fee,Net -o "$out/ours.csv")
        ot=$1 oc=$2 om=$3
        set -- $(measure /usr/bin/python3 "$src/bench/report_vs_peers.py" "$file" "$kind" "$out/pandas.csv")
        pt=$1 pc=$2 pm=$3
        sqlite_script "$file" "$key" "$out/sqlite.csv" > "$out/q.sql"
        set -- $(measure sqlite3 :memory: ".read $out/q.sql")
        st=$1 sc=$2 sm=$3
        set -- $(measure node "$src/bench/report_vs_peers.mjs" duckdb "$file" "$kind" "$out/duckdb.csv")
        dt=$1 dc=$2 dm=$3
        set -- $(measure node "$src/bench/report_vs_peers.mjs" polars "$file" "$kind" "$out/polars.csv")
        lt=$1 lc=$2 lm=$3
        printf '%-14s %7.2f / %5.2f / %4d %7.2f / %5.2f / %4d %7.2f / %5.2f / %4d %7.2f / %5.2f / %4d %7.2f / %5.2f / %4d\n' \
            "$kind $form" "$ot" "$oc" "$om" "$pt" "$pc" "$pm" "$st" "$sc" "$sm" "$dt" "$dc" "$dm" "$lt" "$lc" "$lm"
        echo "               rows: ours $(($(wc -l < "$out/ours.csv") - 1)), pandas $(($(wc -l < "$out/pandas.csv") - 1)), sqlite3 $(($(wc -l < "$out/sqlite.csv") - 1)), DuckDB $(($(wc -l < "$out/duckdb.csv") - 1)), Polars $(($(wc -l < "$out/polars.csv") - 1))"
        echo "$kind $form $ot $oc $om $pt $pc $pm $st $sc $sm $dt $dc $dm $lt $lc $lm" >> "$ratios"
    done
done
echo "== ratios (peer time / our time: wall, and processor in brackets; target in braces)"
awk -v mb="$file_mb" 'function r(a, b) { return a / (b > 0 ? b : 0.01) } {
    printf "%-14s pandas %5.1fx (%5.1fx) {10}  sqlite3 %5.1fx (%5.1fx) {8}  DuckDB %4.1fx (%4.1fx) {2}  Polars %4.1fx (%4.1fx) {2}\n",
        $1 " " $2, r($6, $3), r($7, $4), r($9, $3), r($10, $4), r($12, $3), r($13, $4), r($15, $3), r($16, $4)
    printf "%-14s peak memory: ours %d MB = %.2f x the file {1.5}; pandas %.2f x, sqlite3 %.2f x, DuckDB %.2f x, Polars %.2f x\n",
        "", $5, $5 / mb, $8 / mb, $11 / mb, $14 / mb, $17 / mb
}' "$ratios"

# The country summary matches every address against 172 countries.
set -- $(measure "$tool" "$csv" --report daily --fields Gross,Fee,Net -o "$out/daily.csv")
d1=$1 dc1=$2
set -- $(measure "$tool" "$csv" --report country --fields Gross,Fee,Net -o "$out/country.csv")
awk -v a="$d1" -v ca="$dc1" -v b="$1" -v cb="$2" 'function r(x, y) { return x / (y > 0 ? y : 0.01) } BEGIN {
    printf "country summary %.2f s / %.2f s cpu; daily %.2f s / %.2f s cpu: %.2f x wall, %.2f x processor (target <= 2)\n",
        b, cb, a, ca, r(b, a), r(cb, ca)
}'

# The same transactions dated over one year and over ten years.
one=$data/transactions_1y.csv
ten=$data/transactions_10y.csv
if [ ! -f "$one" ] || [ ! -f "$ten" ]; then
    echo "writing one-year and ten-year variants"
    for span in 1 10; do
        awk -v span=$span 'BEGIN { FS = OFS = "," }
            NR == 1 { print; next }
            { y = 2015 + (span > 1 ? NR % span : 0)
              m = substr($1, 6, 2); d = substr($1, 9, 2)
              if (m == "02" && d == "29") d = "28"
              $1 = y "/" m "/" d; print }' "$csv" > "$data/transactions_${span}y.csv"
    done
fi
cat "$one" "$ten" >/dev/null
set -- $(measure "$tool" "$one" --report daily --fields Gross,Fee,Net -o "$out/one.csv")
t1=$1; c1=$2
set -- $(measure "$tool" "$ten" --report daily --fields Gross,Fee,Net -o "$out/ten.csv")
t10=$1; c10=$2
awk -v a="$t1" -v ca="$c1" -v b="$t10" -v cb="$c10" -v r1="$(($(wc -l < "$out/one.csv") - 1))" \
    -v r10="$(($(wc -l < "$out/ten.csv") - 1))" 'function r(x, y) { return x / (y > 0 ? y : 0.01) } BEGIN {
    printf "daily over one year (%d days): %.2f s / %.2f s cpu; over ten years (%d days): %.2f s / %.2f s cpu\n",
        r1, a, ca, r10, b, cb
    printf "ten years / one year: %.2f wall, %.2f processor (target <= 1, within noise)\n", r(b, a), r(cb, ca)
}'

# Odd input stays in bounds: one 20 MB line of commas, and an endless device.
head -c 20000000 /dev/zero | tr '\0' ',' > "$out/commas.csv"
/usr/bin/time -f "%e %M" -o "$out/time" "$tool" "$out/commas.csv" --stats >/dev/null 2>"$out/err" || true
echo "20 MB line of commas: $(head -n1 "$out/err"); peak $(tail -n1 "$out/time" | awk '{ printf "%d", $2 / 1024 }') MB"
/usr/bin/time -f "%e %M" -o "$out/time" "$tool" /dev/zero --stats >/dev/null 2>"$out/err" || true
echo "/dev/zero: $(head -n1 "$out/err"); $(tail -n1 "$out/time" | awk '{ printf "%s s, peak %d MB", $1, $2 / 1024 }')"
