#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively (with
# AddressSanitizer and UBSan), then the Windows build under Wine on a virtual display.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash tools/setup.sh || { echo "[test] set-up failed" >&2; exit 1; }

jobs=$(nproc)
export CCACHE_DIR="${CCACHE_DIR:-$root/.cache/ccache}"
native="$root/build/native"
windows="$root/build/windows"
status=0

say() { printf '[test] %s\n' "$*"; }

# build DIR CMAKE-ARGS...: configures and builds one tree.
build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null && cmake --build "$dir" -j "$jobs"
}

# run_tests DIR: runs a tree's tests and prints the outcome word.
run_tests() {
    if ctest --test-dir "$1" -j "$jobs" --output-on-failure >&2; then
        echo passed
    else
        echo FAILED
    fi
}

# Wine for the Windows tests: one virtual display, one wineserver and one
# throw-away prefix for the whole run.
start_wine() {
    export TAVRELIN_WINEPREFIX="$windows/wineprefix"
    export WINEPREFIX="$TAVRELIN_WINEPREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    rm -rf "$WINEPREFIX"
    local displayfile
    displayfile=$(mktemp)
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$displayfile" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 "$displayfile")"
    rm -f "$displayfile"
    trap stop_wine EXIT
    say "starting Wine (display $DISPLAY)"
    # The first start fills the new prefix. A persistent server and one idle
    # program keep Wine's system processes up, so each test starts quickly.
    wineserver -p
    timeout 300 wine wineboot --init >/dev/null 2>&1 </dev/null
    local keepalive="$windows/keepalive"
    rm -f "$keepalive" && mkfifo "$keepalive"
    wine cmd.exe <"$keepalive" >/dev/null 2>&1 &
    exec 7>"$keepalive"
}

stop_wine() {
    exec 7>&- 2>/dev/null
    wineserver -k 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
}

say "native build"
if build "$native" -DTAVRELIN_SANITIZE=ON; then
    say "native tests"
    native_result=$(run_tests "$native")
else
    native_result="BUILD FAILED"
fi

say "windows build"
if build "$windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"; then
    start_wine
    say "windows tests"
    windows_result=$(run_tests "$windows")
else
    windows_result="BUILD FAILED"
fi

[ "$native_result" = passed ] && [ "$windows_result" = passed ] || status=1
echo
say "summary: native tests $native_result, windows tests $windows_result"
exit $status
