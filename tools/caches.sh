# Where the build caches live, sourced by the other tools with $root set to the
# clone: the user's cache folder, outside any clone, so that a fresh clone on the
# same machine builds from them.
tavrelin_cache="${XDG_CACHE_HOME:-$HOME/.cache}/tavrelin"

# The compiler cache. Paths below the clone are hashed relative to it, so clones in
# other folders share the entries (and __FILE__ is relative to the build tree).
export CCACHE_DIR="${CCACHE_DIR:-$tavrelin_cache/ccache}"
export CCACHE_BASEDIR="$root"
export CCACHE_NOHASHDIR=true
# The trees share precompiled headers (cmake/PrecompiledHeaders.cmake); ccache caches
# the files that use one only when told to trust the header's macros and time stamps.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
# A precompiled header is over 100 MB: without the inode cache ccache would read it
# whole again for every file that uses it, a second each even when the result is cached.
export CCACHE_INODECACHE=true

# The editing component built for Windows, one folder per version of Debian's scite
# source package (the version apt would fetch); empty while apt knows none.
scintilla_dir() {
    local version
    version=$(apt-cache policy scite 2>/dev/null | awk '/Candidate:/ { print $2 }')
    [ -n "$version" ] && [ "$version" != "(none)" ] || return 0
    printf '%s/scintilla-%s\n' "$tavrelin_cache" "$(printf '%s' "$version" | tr -c 'A-Za-z0-9.+-' '_')"
}
