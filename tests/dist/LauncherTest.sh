#!/usr/bin/env bash
# The menu launcher: where it makes the data folder and starts the program, with a stand-in
# program that records its working directory and arguments.
#   LauncherTest.sh <path to deskhive-launcher>
set -euo pipefail

launcher="$(realpath "$1")"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
passed=0
failed=0

mkdir -p "$tmp/bin"
cp "$launcher" "$tmp/bin/deskhive-launcher"
cat > "$tmp/bin/deskhive" <<'STUB'
#!/bin/sh
printf '%s\n' "$PWD" "$@" > "$RECORD"
STUB
chmod +x "$tmp/bin/deskhive"
export RECORD="$tmp/record"

check() { # name, expected record (lines joined by |), then the command
    local name="$1" expected="$2"
    shift 2
    rm -f "$RECORD"
    if "$@" >"$tmp/out" 2>&1 && [ "$(paste -sd'|' "$RECORD" 2>/dev/null)" = "$expected" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $name: expected '$expected', got '$(paste -sd'|' "$RECORD" 2>/dev/null)'"
        cat "$tmp/out"
    fi
}

mkdir -p "$tmp/home"
check "XDG_DATA_HOME is used and its folders made" "$tmp/xdg/new/deskhive" \
    env HOME="$tmp/home" XDG_DATA_HOME="$tmp/xdg/new" "$tmp/bin/deskhive-launcher"
check "without XDG_DATA_HOME the default under HOME" "$tmp/home/.local/share/deskhive" \
    env -u XDG_DATA_HOME HOME="$tmp/home" "$tmp/bin/deskhive-launcher"
check "a relative XDG_DATA_HOME is not valid and falls back" "$tmp/home/.local/share/deskhive" \
    env HOME="$tmp/home" XDG_DATA_HOME="relative/dir" "$tmp/bin/deskhive-launcher"
check "arguments are passed on unchanged" "$tmp/home/.local/share/deskhive|a b|-x" \
    env -u XDG_DATA_HOME HOME="$tmp/home" "$tmp/bin/deskhive-launcher" "a b" -x
ln -s "$tmp/bin/deskhive-launcher" "$tmp/link-to-launcher"
check "started through a link, it finds the program beside the real launcher" \
    "$tmp/home/.local/share/deskhive" \
    env -u XDG_DATA_HOME HOME="$tmp/home" "$tmp/link-to-launcher"

# Without the program beside it, the launcher says so and fails.
mkdir -p "$tmp/lonely"
cp "$launcher" "$tmp/lonely/deskhive-launcher"
if env HOME="$tmp/home" "$tmp/lonely/deskhive-launcher" 2>"$tmp/err"; then
    failed=$((failed + 1))
    echo "FAILED: a missing program was reported as success"
elif grep -q "deskhive is missing" "$tmp/err"; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    echo "FAILED: a missing program gave no clear message:"
    cat "$tmp/err"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
