#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine, in a prefix of its own kept in the
# cache folder (tools/caches.sh). The program (optimised, its debugging information in
# Tavrelin.exe.debug beside it) is copied to C:\Tavrelin\ in that prefix and starts
# there, so its projects folder is C:\Varnok Projects\ and its layout files sit beside
# it in C:\Tavrelin\. Arguments are handed to the program (a script to open).
set -euo pipefail
caller=$PWD
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash tools/setup.sh
source tools/caches.sh
# A tree of its own: the test command's build/windows is made quick to compile, not to run.
# A build type chosen for build/program before (Debug, say) stays.
tree=build/program
type=()
[ -f "$tree/CMakeCache.txt" ] || type=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
cmake -S . -B "$tree" -G Ninja "${type[@]}" -DTAVRELIN_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DSCINTILLA_DIR="$(scintilla_dir)" >/dev/null
cmake --build "$tree" -j "$(nproc)" --target Tavrelin

export WINEPREFIX="$tavrelin_cache/wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -d "$WINEPREFIX/drive_c" ]; then
    echo "[run] making the Wine prefix $WINEPREFIX"
    wine wineboot --init >/dev/null 2>&1
fi
bash tools/wine-fonts.sh
program="$WINEPREFIX/drive_c/Tavrelin"
mkdir -p "$program"
cp "$tree/ide/Tavrelin.exe" "$tree/ide/Tavrelin.exe.debug" "$program/"
if [ -z "${DISPLAY:-}" ]; then
    echo "[run] no display (DISPLAY is empty): start an X server or use xvfb-run" >&2
    exit 1
fi
# Files named the Unix way (relative to where run.sh was started, or from /) are handed
# over by their Windows names: the program takes "/..." for a switch and starts in
# its own folder.
args=()
for arg in "$@"; do
    if { [[ $arg == /* ]] && [ -d "$(dirname "$arg")" ]; } || [ -e "$caller/$arg" ]; then
        [[ $arg == /* ]] || arg="$caller/$arg"
        arg=$(winepath -w "$(realpath -m "$arg")")
    fi
    args+=("$arg")
done
cd "$program"
echo "[run] starting C:\\Tavrelin\\Tavrelin.exe"
exec wine Tavrelin.exe "${args[@]}"
