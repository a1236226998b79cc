#!/usr/bin/env bash
# Builds the benchmarks with optimisation and runs each of them (or those named).
#   scripts/bench.sh                  every benchmark program
#   scripts/bench.sh CanvasBench ...  only these
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/bench"

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDESKHIVE_BUILD_TESTS=OFF
cmake --build "$build"

export QT_QPA_PLATFORM=offscreen
if [ $# -gt 0 ]; then
    programs=("$@")
else
    mapfile -t programs < <(find "$build/bench" -maxdepth 1 -type f -executable -printf '%f\n' | sort)
fi
for p in "${programs[@]}"; do
    echo "== $p"
    "$build/bench/$p"
done
