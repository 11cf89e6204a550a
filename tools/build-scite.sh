#!/usr/bin/env bash
# Builds the reference editor of the editor benchmark (bench/EditorOpenBench) for Windows
# with MinGW, from the same Debian scite source package the editing component comes from,
# in the user's cache folder; prints the path of its static program. Safe to run again.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/caches.sh"
say() { printf '[scite] %s\n' "$*" >&2; }

sci_out=$(scintilla_dir)
[ -n "$sci_out" ] || { say "apt knows no scite package"; exit 1; }
build="$sci_out-editor"
program="$build/scite/bin/Sc1.exe"
if [ -f "$program" ]; then
    echo "$program"
    exit 0
fi

# The source: a copy unpacked earlier into the cache, else fetched as tools/setup.sh does.
source_tree=""
for candidate in "$tavrelin_cache"/scite-src/scite-*/ "$root"/.cache/scite-src/scite-*/; do
    [ -d "$candidate/scite/win32" ] && { source_tree=$candidate; break; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "$source_tree" ]; then
    say "fetching the scite source package"
    (cd "$work" && apt-get source -qq --download-only -o APT::Sandbox::User="$(id -un)" scite >/dev/null &&
        dpkg-source -x --no-check ./*.dsc >/dev/null)
    source_tree=$(ls -d "$work"/scite-*/ | head -n1)
fi

# Built in a staging copy and moved in whole, so a half build is never taken for a whole one.
staged=$(mktemp -d "$build.XXXXXX")
cp -a "$source_tree"/. "$staged/"
rm -f "$staged"/scite/bin/*.exe
# The component's libraries as tools/setup.sh built them from this source.
cp "$sci_out/lib/libscintilla.a" "$staged/scintilla/bin/"
cp "$sci_out/lib/liblexilla.a" "$staged/lexilla/bin/"
jobs=$(nproc)
cross=(CXX=x86_64-w64-mingw32-g++-posix CC=x86_64-w64-mingw32-gcc-posix
       WINDRES=x86_64-w64-mingw32-windres AR=x86_64-w64-mingw32-ar RANLIB=x86_64-w64-mingw32-ranlib)
# Debian's packaging names the build date in the About box; its rules file gives it.
date_define="-DBUILD_DATE='\"$(date --utc '+%b %d %Y')\"'"
log="$work/scite-build.log"
say "building the editor with MinGW (a few minutes)"
if ! { make -s -C "$staged/scite/win32" -j"$jobs" "${cross[@]}" CPPFLAGS="$date_define" ../bin/Sc1.exe; } >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    rm -rf "$staged"
    say "building the editor failed"
    exit 1
fi
# Only the program is kept: the object files and the rest of the tree are no use afterwards.
mkdir -p "$staged.bin/scite/bin"
cp "$staged/scite/bin/Sc1.exe" "$staged.bin/scite/bin/"
rm -rf "$staged"
mv -T "$staged.bin" "$build" 2>/dev/null || rm -rf "$staged.bin"
echo "$program"
