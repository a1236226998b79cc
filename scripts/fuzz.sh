#!/usr/bin/env bash
# Builds the libFuzzer targets with clang-14 (AddressSanitizer, UndefinedBehaviorSanitizer,
# no recovery) in build/fuzz and runs each for a while, starting from fuzz/corpus/<target>.
# New inputs that add coverage go to build/fuzz/corpus/<target>; an input that fails is
# written to fuzz/crashes/<target>/ so that the test suite replays it from then on.
#   scripts/fuzz.sh [seconds per target, default 60] [target ...]
# Targets: draw_markup strip_markup match_filter parse_short_date
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/fuzz"
seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(draw_markup strip_markup match_filter parse_short_date)
fi

bash "$root/scripts/setup.sh"
# The fuzzers need clang and its sanitizer runtimes, which the normal build does not.
if ! command -v clang++-14 >/dev/null 2>&1 || ! dpkg-query -W libclang-rt-14-dev >/dev/null 2>&1; then
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q clang-14 libclang-rt-14-dev
fi

flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
flags="$flags -fno-omit-frame-pointer -g -O1"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DDESKHIVE_FUZZ=ON \
    -DDESKHIVE_BUILD_TESTS=OFF -DDESKHIVE_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for t in "${targets[@]}"; do
    mkdir -p "$build/corpus/$t" "$root/fuzz/crashes/$t"
    echo "== $t: ${seconds}s"
    # Deeply nested markup needs long inputs; 64 KiB holds thousands of open tags.
    if ! "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -rss_limit_mb=4096 -print_final_stats=1 \
        -artifact_prefix="$root/fuzz/crashes/$t/" \
        "$build/corpus/$t" "$root/fuzz/corpus/$t"; then
        echo "!! $t failed; the input is in fuzz/crashes/$t/" >&2
        status=1
    fi
done
exit $status
