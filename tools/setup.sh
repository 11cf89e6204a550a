#!/usr/bin/env bash
# Installs what the builds need on a Debian machine and builds the editing
# component (Scintilla and Lexilla) for Windows into the ignored cache folder.
# Safe to run again: it only does what is missing.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache="$root/.cache"
packages=(cmake ninja-build g++ googletest python3 ccache
          g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 xvfb xauth dpkg-dev
          lua5.4               # luac: the compile benchmark's yardstick
          libmeshoptimizer-dev)  # the progressive-mesh benchmark's yardstick

say() { printf '[setup] %s\n' "$*"; }
sudo_if() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
updated=0
if [ ${#missing[@]} -gt 0 ]; then
    say "installing: ${missing[*]}"
    sudo_if apt-get update -qq
    updated=1
    sudo_if env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Scintilla and Lexilla, built with MinGW from Debian's scite source package.
sci_out="$cache/scintilla"
if [ ! -f "$sci_out/lib/libscintilla.a" ] || [ ! -f "$sci_out/lib/liblexilla.a" ]; then
    src="$cache/scite-src"
    if ! ls -d "$src"/scite-*/ >/dev/null 2>&1; then
        if ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
            codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
            say "adding a deb-src entry for $codename"
            sudo_if tee /etc/apt/sources.list.d/tavrelin-deb-src.sources >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
            updated=0
        fi
        [ "$updated" -eq 1 ] || sudo_if apt-get update -qq
        rm -rf "$src" && mkdir -p "$src"
        say "fetching the scite source package"
        (cd "$src" && apt-get source -qq --download-only scite >/dev/null && dpkg-source -x --no-check ./*.dsc >/dev/null)
    fi
    top=$(ls -d "$src"/scite-*/ | head -n1)
    jobs=$(nproc)
    cross=(CXX=x86_64-w64-mingw32-g++-posix CC=x86_64-w64-mingw32-gcc-posix
           WINDRES=x86_64-w64-mingw32-windres AR=x86_64-w64-mingw32-ar RANLIB=x86_64-w64-mingw32-ranlib)
    log="$cache/scintilla-build.log"
    say "building Scintilla and Lexilla for Windows (log: $log)"
    if ! { make -s -C "$top/scintilla/win32" -j"$jobs" "${cross[@]}" ../bin/libscintilla.a &&
           make -s -C "$top/lexilla/src" -j"$jobs" "${cross[@]}" ../bin/liblexilla.a; } >"$log" 2>&1; then
        tail -n 30 "$log" >&2
        say "building Scintilla failed"
        exit 1
    fi
    rm -rf "$sci_out" && mkdir -p "$sci_out/lib" "$sci_out/include"
    cp "$top/scintilla/bin/libscintilla.a" "$top/lexilla/bin/liblexilla.a" "$sci_out/lib/"
    cp "$top"/scintilla/include/*.h "$top"/lexilla/include/*.h "$sci_out/include/"
    say "Scintilla ready in $sci_out"
fi
