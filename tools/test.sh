#!/usr/bin/env bash
# Builds everything and runs every test, in two lanes at once: natively the portable
# core with AddressSanitizer and UBSan, its tests and a smoke run of its fuzz targets;
# beside it the Windows build and its tests under Wine on a virtual display. Each
# lane writes its log to build/logs/; the summary names what failed and shows it.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
started=$SECONDS
bash tools/setup.sh || { echo "[test] set-up failed" >&2; exit 1; }
source tools/caches.sh

# Both lanes may use every core: while one links or waits for Wine the other goes on.
jobs=$(nproc)
smoke_runs=500  # inputs per fuzz target in the smoke run, from a fixed seed
native="$root/build/native"
windows="$root/build/windows"
logs="$root/build/logs"
rm -rf "$logs" && mkdir -p "$logs"

say() { printf '[test] %s\n' "$*"; }
minutes() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

# build DIR CMAKE-ARGS...: configures and builds one tree, in the quick-to-build
# configuration of the test trees (CMakeLists.txt).
build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Test "$@" >/dev/null && cmake --build "$dir" -j "$jobs"
}

# run_tests DIR: runs a tree's tests; the outcome word.
run_tests() {
    if ctest --test-dir "$1" -j "$jobs" --output-on-failure >&2; then
        echo passed
    else
        echo FAILED
    fi
}

# Wine for the Windows tests: one virtual display, one wineserver and one throw-away
# prefix for the whole run. The prefix fills in the background (about 10 s of
# work) while the Windows tree builds; wait_wine waits for it.
start_wine() {
    export TAVRELIN_WINEPREFIX="$windows/wineprefix"
    export WINEPREFIX="$TAVRELIN_WINEPREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    rm -rf "$WINEPREFIX"
    mkdir -p "$windows"
    local displayfile
    displayfile=$(mktemp)
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$displayfile" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 "$displayfile")"
    rm -f "$displayfile"
    trap stop_wine EXIT
    echo "starting Wine (display $DISPLAY)"
    wineserver -p
    timeout 300 wine wineboot --init >/dev/null 2>&1 </dev/null &
    wineboot_pid=$!
}

# A persistent server and one idle program keep Wine's system processes up, so
# each test starts quickly.
wait_wine() {
    wait "$wineboot_pid"
    # A crash ends the test at once instead of waiting on a dialog nobody closes.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    local keepalive="$windows/keepalive"
    rm -f "$keepalive" && mkfifo "$keepalive"
    wine cmd.exe <"$keepalive" >/dev/null 2>&1 &
    exec 7>"$keepalive"
}

stop_wine() {
    exec 7>&- 2>/dev/null
    wineserver -k 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
}

# Each lane leaves its outcome words and its time in build/logs/<lane>.result;
# its progress lines go to the terminal (descriptor 3), everything else to its log.
record() { printf '%s\n' "$@" >"$logs/$lane.result"; }

native_lane() {
    lane=native
    local start=$SECONDS tests=skipped fuzz=skipped
    if build "$native" -DTAVRELIN_SANITIZE=ON; then
        say "native: built ($(minutes $((SECONDS - start)))), testing" >&3
        tests=$(run_tests "$native")
        say "native: tests $tests ($(minutes $((SECONDS - start)))), fuzz smoke run" >&3
        if bash tools/fuzz.sh --runs "$smoke_runs"; then fuzz=passed; else fuzz=FAILED; fi
    else
        tests="BUILD FAILED"
    fi
    record "native_tests='$tests'" "fuzz_smoke='$fuzz'" "native_time=$((SECONDS - start))"
    say "native: done ($(minutes $((SECONDS - start))))" >&3
}

windows_lane() {
    lane=windows
    local start=$SECONDS tests=skipped
    start_wine
    if build "$windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DSCINTILLA_DIR="$(scintilla_dir)"; then
        say "windows: built ($(minutes $((SECONDS - start)))), testing under Wine" >&3
        wait_wine
        tests=$(run_tests "$windows")
    else
        tests="BUILD FAILED"
    fi
    record "windows_tests='$tests'" "windows_time=$((SECONDS - start))"
    say "windows: done ($(minutes $((SECONDS - start))))" >&3
}

say "native and windows lanes started; logs in build/logs/"
exec 3>&1
(windows_lane) >"$logs/windows.log" 2>&1 &
windows_pid=$!
(native_lane) >"$logs/native.log" 2>&1
wait "$windows_pid"
exec 3>&-

native_tests="LANE FAILED" fuzz_smoke="LANE FAILED" windows_tests="LANE FAILED" native_time=0 windows_time=0
for lane in native windows; do
    [ -f "$logs/$lane.result" ] && source "$logs/$lane.result"
done

# Failures, shown from the lane's log: the failing places, else the log's end.
show_failures() {
    local name=$1 log=$2 excerpt
    excerpt=$(grep -E -A12 '^\[  FAILED  \]|FAILED:|error:|Error |\*\*\*Failed|\*\*\*Exception|\*\*\*Timeout|\[fuzz\] .*FAILED' "$log" |
        head -n 120)
    [ -n "$excerpt" ] || excerpt=$(tail -n 40 "$log")
    echo
    say "---- $name, from $log ----"
    printf '%s\n' "$excerpt"
}
[ "$native_tests" = passed ] || show_failures "native tests" "$logs/native.log"
[ "$fuzz_smoke" = passed ] || show_failures "fuzz smoke run" "$logs/native.log"
[ "$windows_tests" = passed ] || show_failures "windows tests" "$logs/windows.log"

# Totals of the ctest closing lines ("N% tests passed, F tests failed out of T") and the smoke run.
passed=0
failed=0
while read -r fail total; do
    passed=$((passed + total - fail))
    failed=$((failed + fail))
done < <(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$logs/native.log" "$logs/windows.log")
if read -r targets fuzz_failed < <(sed -n 's/^\[fuzz\] \([0-9]*\) targets, \([0-9]*\) failed$/\1 \2/p' "$logs/native.log"); then
    passed=$((passed + targets - fuzz_failed))
    failed=$((failed + fuzz_failed))
fi

echo
say "native lane $(minutes "$native_time"): tests $native_tests, fuzz smoke run ($smoke_runs inputs a target) $fuzz_smoke"
say "windows lane $(minutes "$windows_time"): tests $windows_tests"
say "summary: native tests $native_tests, fuzz smoke $fuzz_smoke, windows tests $windows_tests; $(minutes $((SECONDS - started))) in all on $jobs cores"
echo "tests: $passed passed, $failed failed"
[ "$native_tests" = passed ] && [ "$fuzz_smoke" = passed ] && [ "$windows_tests" = passed ]
