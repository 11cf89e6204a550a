#!/usr/bin/env bash
# Builds the benchmarks optimised, apart from the test trees (whose build is made
# quick to compile, not fast to run), and runs one.
#   tools/bench.sh                  builds every benchmark: natively in build/bench,
#                                   for Windows in build/bench-windows
#   tools/bench.sh NAME [ARGS...]   builds the benchmark NAME and runs it with ARGS;
#                                   a Windows one under Wine, on $DISPLAY when set,
#                                   else on a virtual display of its own
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash tools/setup.sh
source tools/caches.sh
jobs=$(nproc)
native="$root/build/bench"
windows="$root/build/bench-windows"

configure() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRELIN_TESTS=OFF "$@" >/dev/null
}
configure "$native"
configure "$windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DSCINTILLA_DIR="$(scintilla_dir)"

if [ $# -eq 0 ]; then
    cmake --build "$native" -j "$jobs"
    cmake --build "$windows" -j "$jobs"
    exit 0
fi

name=$1
shift
# The portable benchmarks run natively; the others are Windows programs.
if ninja -C "$native" -t targets all | grep -q "^bench/$name:"; then
    cmake --build "$native" -j "$jobs" --target "$name"
    exec "$native/bench/$name" "$@"
fi
cmake --build "$windows" -j "$jobs" --target "$name"

# A prefix of the caller's own (WINEPREFIX) keeps parallel runs apart.
export WINEPREFIX="${WINEPREFIX:-$tavrelin_cache/bench-wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ -z "${DISPLAY:-}" ]; then
    displayfile=$(mktemp)
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$displayfile" 2>/dev/null &
    xvfb_pid=$!
    trap 'wineserver -k 2>/dev/null; kill $xvfb_pid 2>/dev/null' EXIT
    for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 "$displayfile")"
    rm -f "$displayfile"
fi
[ -d "$WINEPREFIX/drive_c" ] || wine wineboot --init >/dev/null 2>&1
# The fonts the program draws with, as in the tests and tools/run.sh.
bash tools/wine-fonts.sh
wine "$windows/bench/$name.exe" "$@"
