#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly, in the project's own prefix (with Wine's
# own fonts, tools/wine-fonts.sh).
# CTest calls it for every Windows test; the test command sets up the display
# and a persistent wineserver beforehand.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${TAVRELIN_WINEPREFIX:-${WINEPREFIX:-$root/build/wineprefix}}"
export WINEDEBUG="${WINEDEBUG:--all}"
# A new prefix must never offer to install its .NET and HTML runtimes: nobody would answer.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

bash "$root/tools/wine-fonts.sh"

# Wine's own background processes, when this start launches them, inherit the
# program's output. Through a file they cannot hold the caller's pipe open.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
wine "$@" >"$out" 2>&1 </dev/null
status=$?
cat "$out"
# A program that crashed may still leave with 0 once Wine's debugger has let it go.
if [ $status -eq 0 ] && grep -q '^wine: Unhandled' "$out"; then
    echo "wine-run: the program crashed" >&2
    status=1
fi
exit $status
