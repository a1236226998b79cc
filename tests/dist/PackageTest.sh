#!/usr/bin/env bash
# The Debian package, built from the current build tree into a temporary folder: its content,
# its derived dependencies, the desktop entry and metainfo validated, lintian without errors,
# and the packaged launcher starting the packaged program, which makes its two tables in the
# data folder.
#   PackageTest.sh <build dir>
set -euo pipefail

build="$(realpath "$1")"
tmp="$(mktemp -d)"
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() {
    failed=$((failed + 1))
    echo "FAILED: $*"
}

cpack --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 || {
    cat "$tmp/cpack.log"
    echo "0 passed, 1 failed"
    exit 1
}
debs=("$tmp"/out/deskhive_*_amd64.deb)
if [ "${#debs[@]}" -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "FAILED: expected one deskhive_<version>_amd64.deb, found: ${debs[*]}"
    echo "0 passed, 1 failed"
    exit 1
fi
deb="${debs[0]}"

dpkg-deb -c "$deb" | awk '{print $NF}' >"$tmp/content"
for path in \
    ./usr/bin/deskhive \
    ./usr/bin/deskhive-launcher \
    ./usr/share/applications/org.deskhive.deskhive.desktop \
    ./usr/share/metainfo/org.deskhive.deskhive.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/deskhive.svg \
    ./usr/share/icons/hicolor/48x48/apps/deskhive.png \
    ./usr/share/icons/hicolor/256x256/apps/deskhive.png \
    ./usr/share/doc/deskhive/copyright \
    ./usr/share/doc/deskhive/changelog.gz; do
    if grep -qxF "$path" "$tmp/content"; then pass; else fail "$path is not in the package"; fi
done

# Dependencies are derived from the linked libraries, not written by hand.
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libc6 libqt6widgets6 libsqlite3-0; do
    if grep -q "$library" <<<"$depends"; then pass; else fail "Depends lacks $library: $depends"; fi
done

dpkg-deb -x "$deb" "$tmp/root"
if desktop-file-validate "$tmp/root/usr/share/applications/org.deskhive.deskhive.desktop"; then
    pass
else
    fail "the desktop entry does not validate"
fi
exec_line="$(grep '^Exec=' "$tmp/root/usr/share/applications/org.deskhive.deskhive.desktop")"
if [ -x "$tmp/root/usr/bin/${exec_line#Exec=}" ]; then pass; else fail "$exec_line is not packaged"; fi
if appstreamcli validate --no-net "$tmp/root/usr/share/metainfo/org.deskhive.deskhive.metainfo.xml" \
    >"$tmp/appstream.log" 2>&1; then
    pass
else
    cat "$tmp/appstream.log"
    fail "the metainfo does not validate"
fi

if lintian --fail-on error --suppress-tags no-manual-page "$deb" >"$tmp/lintian.log" 2>&1; then
    pass
else
    cat "$tmp/lintian.log"
    fail "lintian reports errors"
fi

# The packaged launcher starts the packaged program in the data folder; once both tables are
# there the program is stopped.
data_home="$tmp/xdg"
env XDG_DATA_HOME="$data_home" QT_QPA_PLATFORM=offscreen \
    "$tmp/root/usr/bin/deskhive-launcher" >"$tmp/program.log" 2>&1 &
program_pid=$!
for _ in $(seq 1 300); do
    [ -f "$data_home/deskhive/tododb.db" ] && [ -f "$data_home/deskhive/plandb.db" ] && break
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
if [ -f "$data_home/deskhive/tododb.db" ] && [ -f "$data_home/deskhive/plandb.db" ]; then
    pass
else
    cat "$tmp/program.log"
    fail "the launched program made no tables in $data_home/deskhive"
fi
kill "$program_pid" 2>/dev/null || true
wait "$program_pid" 2>/dev/null || true
program_pid=""

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
