#!/usr/bin/env bash
# Installs the build and test stack with apt when a package is missing. Safe to run again:
# it does nothing when everything is there. Works as root and through sudo.
set -euo pipefail

packages=(
    cmake g++ ninja-build pkg-config
    qt6-base-dev libgl-dev
    libsqlite3-dev sqlite3
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core fonts-liberation
    clang-format
    dpkg-dev desktop-file-utils appstream lintian
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "setup: missing packages (${missing[*]}) and neither root nor sudo is available" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
