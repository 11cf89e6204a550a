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
native_result="not run"
windows_result="not run"

say() { printf '[test] %s\n' "$*"; }

say "native build"
if cmake -S . -B "$native" -G Ninja -DTAVRELIN_SANITIZE=ON >/dev/null &&
   cmake --build "$native" -j "$jobs"; then
    say "native tests"
    if ctest --test-dir "$native" -j "$jobs" --output-on-failure; then
        native_result="passed"
    else
        native_result="FAILED"; status=1
    fi
else
    native_result="BUILD FAILED"; status=1
fi

say "windows build"
if cmake -S . -B "$windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null &&
   cmake --build "$windows" -j "$jobs"; then
    # One virtual display, one wineserver and one throw-away prefix for the whole run.
    export TAVRELIN_WINEPREFIX="$windows/wineprefix"
    export WINEPREFIX="$TAVRELIN_WINEPREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    rm -rf "$WINEPREFIX"
    displayfile=$(mktemp)
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$displayfile" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 "$displayfile")"
    rm -f "$displayfile"
    cleanup() {
        exec 7>&- 2>/dev/null
        wineserver -k 2>/dev/null
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    }
    trap cleanup EXIT
    say "starting Wine (display $DISPLAY)"
    # The first start fills the new prefix. A persistent server and one idle
    # program keep Wine's system processes up, so each test starts quickly.
    wineserver -p
    timeout 300 wine wineboot --init >/dev/null 2>&1 </dev/null
    keepalive="$windows/keepalive"
    rm -f "$keepalive" && mkfifo "$keepalive"
    wine cmd.exe <"$keepalive" >/dev/null 2>&1 &
    exec 7>"$keepalive"
    say "windows tests"
    if ctest --test-dir "$windows" -j "$jobs" --output-on-failure; then
        windows_result="passed"
    else
        windows_result="FAILED"; status=1
    fi
else
    windows_result="BUILD FAILED"; status=1
fi

echo
say "summary: native tests $native_result, windows tests $windows_result"
exit $status
