#!/usr/bin/env bash
# Installs what is missing, builds the store program and starts it.
# The store keeps its data in the folder of the program (build/), or in the
# folder named by BRENVIK_DATA.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
if [ -x build/brenvik ]; then
  exec build/brenvik "$@"
fi
echo "The store program is not built yet; the tools are:"
build/tools/brenvik-data --help || true
