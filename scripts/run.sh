#!/usr/bin/env bash
# Builds deskhive and starts it in a data folder (the current directory unless one is
# given). The program keeps its two tables, tododb.db and plandb.db, in that folder and
# creates them on first start.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
data="$(realpath -m "${1:-$PWD}")"
build="$root/build/release"

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDESKHIVE_BUILD_TESTS=OFF -DDESKHIVE_BUILD_BENCH=OFF
cmake --build "$build" --target deskhive

mkdir -p "$data"
cd "$data"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "run: no display found; starting without a visible window (QT_QPA_PLATFORM=offscreen)" >&2
    export QT_QPA_PLATFORM=offscreen
fi
exec "$build/app/deskhive"
