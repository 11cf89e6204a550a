#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly, in the project's own prefix (with Wine's
# own fonts, tools/wine-fonts.sh).
# CTest calls it for every Windows test; the test command sets up the displays
# and persistent wineservers beforehand (tools/test.sh).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${TAVRELIN_WINEPREFIX:-${WINEPREFIX:-$root/build/wineprefix}}"

# A test that needs the pointer and the focus to itself (TAVRELIN_ALONE, tests/CMakeLists.txt)
# is handed a desktop of its own by CTest ("id:N,slots:1"): the display and prefix the test
# command started for it. Run by hand without one, such tests at least wait for each other.
desktop=${CTEST_RESOURCE_GROUP_0_DESKTOPS:-}
desktop=${desktop#id:}
desktop=${desktop%%,*}
if [ -n "$desktop" ] && [ -f "${TAVRELIN_DESKTOPS:-}/$desktop/display" ]; then
    DISPLAY=$(cat "$TAVRELIN_DESKTOPS/$desktop/display")
    export DISPLAY WINEPREFIX="$TAVRELIN_DESKTOPS/$desktop/prefix"
elif [ -n "${TAVRELIN_ALONE:-}" ]; then
    exec 9>"$WINEPREFIX.alone-lock"
    flock 9
fi
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
