#!/usr/bin/env bash
# Builds the Debian package deskhive_<version>_amd64.deb into build/package/ and, with
# --install, installs it with apt (as root, or through sudo).
#   scripts/package.sh [--install]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/package"
install=no
for arg in "$@"; do
    case "$arg" in
        --install) install=yes ;;
        *) echo "usage: $0 [--install]" >&2; exit 2 ;;
    esac
done

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDESKHIVE_BUILD_TESTS=OFF -DDESKHIVE_BUILD_BENCH=OFF
cmake --build "$build"
rm -f "$build"/deskhive_*.deb
cpack --config "$build/CPackConfig.cmake" -B "$build"
deb="$(ls "$build"/deskhive_*_amd64.deb)"
echo "package: $deb"

if [ "$install" = yes ]; then
    if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi
    "${as_root[@]}" apt-get install -y "$deb"
fi
