#!/usr/bin/env bash
# Builds deskhive with warnings as errors and runs the whole test suite.
#   scripts/test.sh              plain build in build/test
#   scripts/test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer in build/asan;
#                                any report fails the run
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sanitize=OFF
build="$root/build/test"
for arg in "$@"; do
    case "$arg" in
        --sanitize) sanitize=ON; build="$root/build/asan" ;;
        *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
    esac
done

bash "$root/scripts/setup.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDESKHIVE_SANITIZE=$sanitize
cmake --build "$build"

export QT_QPA_PLATFORM=offscreen
if [ "$sanitize" = ON ]; then
    export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1"
    export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
