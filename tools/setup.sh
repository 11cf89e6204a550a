#!/usr/bin/env bash
# Installs what the builds need on a Debian machine and builds the editing
# component (Scintilla and Lexilla) for Windows into the user's cache folder
# (tools/caches.sh). Safe to run again: it only does what is missing.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/caches.sh"
# One package a line.
packages=(
    cmake
    ninja-build
    g++
    googletest
    python3
    ccache
    g++-mingw-w64-x86-64-posix
    gcc-mingw-w64-x86-64-posix
    binutils-mingw-w64-x86-64
    wine
    wine64
    fonts-wine          # Wine's own fonts: Marlett (the bars' arrows), Courier, Tahoma (tools/wine-fonts.sh)
    fonts-liberation    # faces of the metrics of Arial, Times New Roman and Courier New
    xvfb
    xauth
    dpkg-dev
    lua5.4              # luac: the compile benchmark's yardstick
    clang               # the fuzz targets (tests/fuzz) ...
    libclang-rt-14-dev  # ... and their libFuzzer and sanitizer runtimes
    libmeshoptimizer-dev  # the progressive-mesh benchmark's yardstick
    assimp-utils        # the ASC benchmark's yardstick
)

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
sci_out=$(scintilla_dir)
if [ -z "$sci_out" ] && [ "$updated" -eq 0 ]; then
    sudo_if apt-get update -qq
    updated=1
    sci_out=$(scintilla_dir)
fi
[ -n "$sci_out" ] || { say "apt knows no scite package"; exit 1; }
if [ ! -f "$sci_out/lib/libscintilla.a" ] || [ ! -f "$sci_out/lib/liblexilla.a" ]; then
    # The source entry copies the machine's own entry for its release, mirror and all.
    if ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources; then
        codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
        say "adding deb-src entries for $codename, copied from its deb entries"
        entry=$(python3 "$root/tools/debsrc.py" "$codename")
        list=/etc/apt/sources.list.d/tavrelin-deb-src.sources
        printf '%s\n' "$entry" | sudo_if tee "$list" >/dev/null
        # An entry apt cannot read stops every apt command on the machine: it goes again.
        if ! errors=$(sudo_if apt-get update -qq 2>&1 >/dev/null); then
            sudo_if rm -f "$list"
            printf '%s\n' "$errors" >&2
            say "apt-get update failed with the deb-src entries copied into $list (above): removed them again"
            exit 1
        fi
        updated=1
    fi
    [ "$updated" -eq 1 ] || sudo_if apt-get update -qq
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    say "fetching the scite source package"
    (cd "$work" && apt-get source -qq --download-only -o APT::Sandbox::User="$(id -un)" scite >/dev/null && dpkg-source -x --no-check ./*.dsc >/dev/null)
    top=$(ls -d "$work"/scite-*/ | head -n1)
    jobs=$(nproc)
    cross=(CXX=x86_64-w64-mingw32-g++-posix CC=x86_64-w64-mingw32-gcc-posix
           WINDRES=x86_64-w64-mingw32-windres AR=x86_64-w64-mingw32-ar RANLIB=x86_64-w64-mingw32-ranlib)
    log="$work/scintilla-build.log"
    say "building Scintilla and Lexilla for Windows"
    if ! { make -s -C "$top/scintilla/win32" -j"$jobs" "${cross[@]}" ../bin/libscintilla.a &&
           make -s -C "$top/lexilla/src" -j"$jobs" "${cross[@]}" ../bin/liblexilla.a; } >"$log" 2>&1; then
        tail -n 30 "$log" >&2
        say "building Scintilla failed"
        exit 1
    fi
    # Built beside, then moved in whole: a clone running at the same time never sees half a folder.
    mkdir -p "$tavrelin_cache"
    staged=$(mktemp -d "$sci_out.XXXXXX")
    mkdir -p "$staged/lib" "$staged/include"
    cp "$top/scintilla/bin/libscintilla.a" "$top/lexilla/bin/liblexilla.a" "$staged/lib/"
    cp "$top"/scintilla/include/*.h "$top"/lexilla/include/*.h "$staged/include/"
    mv -T "$staged" "$sci_out" 2>/dev/null || rm -rf "$staged"
    say "Scintilla ready in $sci_out"
fi
