#!/bin/sh
# pellard-report against pandas and sqlite3 on the 1,000,000-row transaction
# file: the daily and monthly summaries of Gross, Fee and Net and the summary
# of the Status field, each timed from the file on disk to the CSV written,
# with peak memory. Then a daily summary of files spanning one year and ten
# years, which should cost the same.
# The peers (Debian's python3-pandas and sqlite3) are installed here, for this
# script only.
# usage: bench/report_vs_peers.sh [BUILD_DIR]
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build-report-bench}
data=$src/bench/data
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
mkdir -p "$data"

cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$build" -j2 bench_gen_transactions pellard-report >/dev/null
tool=$build/tools/pellard-report

csv=$data/transactions.csv
if [ ! -f "$csv" ]; then
    echo "generating $csv"
    "$build/bench/bench_gen_transactions" "$csv" 1000000 20261209
fi
echo "file: $(du -m "$csv" | cut -f1) MB, $(wc -l < "$csv") lines"

need=""
/usr/bin/python3 -c "import pandas" 2>/dev/null || need="$need python3-pandas"
command -v sqlite3 >/dev/null 2>&1 || need="$need sqlite3"
if [ -n "$need" ]; then
    echo "installing$need for the comparison"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $need >/dev/null ||
        { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $need >/dev/null; }
fi

# Runs a command; prints "WALL_S CPU_S PEAK_MB" (wall clock, user + system
# time, largest resident set). On a busy machine the processor time is the
# steadier figure; both are shown.
measure() {
    /usr/bin/time -f "%e %U %S %M" -o "$out/time" "$@" >/dev/null 2>"$out/err" ||
        { cat "$out/err" >&2; exit 1; }
    awk '{ printf "%s %.2f %d\n", $1, $2 + $3, $4 / 1024 }' "$out/time"
}

# The sqlite3 commands of one report: import the file, group, write CSV.
sqlite_script() {  # KEY-EXPRESSION OUT
    agg=""
    for how in sum avg max min; do
        for f in Gross Fee Net; do agg="$agg, $how(CAST($f AS REAL))"; done
    done
    printf '.mode csv\n.import %s t\n.headers on\n.output %s\nSELECT %s AS k, count(*)%s FROM t GROUP BY k ORDER BY k;\n' \
        "$csv" "$2" "$1" "$agg"
}

cat "$csv" >/dev/null   # everyone reads from the page cache
echo "each cell: wall seconds / processor seconds / peak MB; ratios: wall (processor)"
printf '%-8s %22s %22s %22s %14s %14s\n' report pellard-report pandas sqlite3 "vs pandas" "vs sqlite"
for kind in daily monthly status; do
    case $kind in
    daily) args="--report daily"; key="Date" ;;
    monthly) args="--report monthly"; key="substr(Date, 1, 7)" ;;
    status) args="--report field:Status"; key="lower(Status)" ;;
    esac
    set -- $(measure "$tool" "$csv" $args --fields Gross,Fee,Net -o "$out/ours.csv")
    ot=$1; oc=$2; om=$3
    set -- $(measure /usr/bin/python3 "$src/bench/report_vs_peers.py" "$csv" "$kind" "$out/pandas.csv")
    pt=$1; pc=$2; pm=$3
    sqlite_script "$key" "$out/sqlite.csv" > "$out/q.sql"
    set -- $(measure sqlite3 :memory: ".read $out/q.sql")
    st=$1; sc=$2; sm=$3
    awk -v k="$kind" -v ot="$ot" -v oc="$oc" -v om="$om" -v pt="$pt" -v pc="$pc" -v pm="$pm" \
        -v st="$st" -v sc="$sc" -v sm="$sm" 'function r(a, b) { return a / (b > 0 ? b : 0.01) } BEGIN {
        printf "%-8s %7.2f / %5.2f / %4d %7.2f / %5.2f / %4d %7.2f / %5.2f / %4d %6.1fx (%4.1fx) %6.1fx (%4.1fx)\n",
            k, ot, oc, om, pt, pc, pm, st, sc, sm, r(pt, ot), r(pc, oc), r(st, ot), r(sc, oc)
    }'
    echo "           rows: pellard-report $(($(wc -l < "$out/ours.csv") - 1)), pandas $(($(wc -l < "$out/pandas.csv") - 1)), sqlite3 $(($(wc -l < "$out/sqlite.csv") - 1))"
done
echo "targets: 5x faster than pandas, 3x faster than sqlite3 (import + query), less memory than pandas"

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
