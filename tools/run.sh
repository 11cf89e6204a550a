#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash tools/setup.sh
source tools/caches.sh
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DSCINTILLA_DIR="$(scintilla_dir)" >/dev/null
cmake --build build/windows -j "$(nproc)"
echo
echo "[run] Everything is built. The application window does not exist yet, so there is no program to start:"
echo "[run] so far Tavrelin is its engine runtime and its tests (tools/test.sh runs them)."
