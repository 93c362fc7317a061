#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format (14, as in
# Debian 12) makes of it; `clang-format -i FILE` fixes one.
set -euo pipefail
cd "$(dirname "$0")/../.."
format=clang-format-14
command -v "$format" >/dev/null || format=clang-format
if ! git ls-files -z '*.cpp' '*.h' | xargs -0 -r "$format" --dry-run --Werror; then
    echo "Unformatted C++ above: run clang-format -i on those files." >&2
    exit 1
fi
