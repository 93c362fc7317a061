#!/usr/bin/env bash
# Runs every fuzz target of a BRENVIK_FUZZ build for SECONDS each, as many
# at a time as there are cores, from its seed corpus in fuzz/corpus/<name>/
# (with fuzz/<name>.dict when there is one). New inputs go to a scratch
# folder, not into the tree. Any crash, leak, time-out or failed check fails
# the run; the input that caused it is kept in BUILD_DIR/fuzz-artifacts/.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:?usage: fuzz.sh BUILD_DIR [SECONDS]}
seconds=${2:-20}
artifacts="$build/fuzz-artifacts"
scratch="$build/fuzz-scratch"
rm -rf "$scratch"
mkdir -p "$artifacts" "$scratch"

run_one() {
    local name=$1 build=$2 seconds=$3 artifacts=$4 scratch=$5
    local args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536
                -print_final_stats=1 -artifact_prefix="$artifacts/$name-")
    [ -f "fuzz/$name.dict" ] && args+=(-dict="fuzz/$name.dict")
    mkdir -p "$scratch/$name" "fuzz/corpus/$name"
    local log="$scratch/$name.log"
    if "$build/fuzz/$name" "${args[@]}" "$scratch/$name" "fuzz/corpus/$name" >"$log" 2>&1; then
        echo "$name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs, no fault"
    else
        echo "$name: FAILED" >&2
        tail -n 60 "$log" >&2
        return 1
    fi
}
export -f run_one

names=()
for src in fuzz/fuzz_*.cpp; do
    name=$(basename "$src" .cpp)
    [ -x "$build/fuzz/$name" ] && names+=("$name")
done
if [ ${#names[@]} -eq 0 ]; then
    echo "no fuzz targets built in $build/fuzz" >&2
    exit 1
fi
printf '%s\n' "${names[@]}" |
    xargs -P "$(nproc)" -I{} bash -c 'run_one "$@"' _ {} "$build" "$seconds" "$artifacts" "$scratch"
