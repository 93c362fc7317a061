#!/usr/bin/env bash
# In a build without the screens: fails when a test program of the rules
# links a Qt library, so the rule libraries stay free of Qt.
set -euo pipefail
build=${1:?usage: check-no-qt.sh BUILD_DIR}
count=0
bad=0
for exe in "$build"/tests/*_test_*; do
    [ -x "$exe" ] || continue
    count=$((count + 1))
    if readelf -d "$exe" | grep NEEDED | grep -q 'libQt'; then
        echo "$exe links Qt:" >&2
        readelf -d "$exe" | grep NEEDED | grep 'libQt' >&2
        bad=1
    fi
done
if [ "$count" -eq 0 ]; then
    echo "no test programs in $build/tests" >&2
    exit 1
fi
[ "$bad" -eq 0 ] && echo "no Qt in $count rule test programs"
exit "$bad"
