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

# run_tests DIR JOBS [CTEST-ARGS...]: runs a tree's tests, JOBS at once; the outcome word.
run_tests() {
    local dir=$1 at_once=$2
    shift 2
    if ctest --test-dir "$dir" -j "$at_once" --output-on-failure "$@" >&2; then
        echo passed
    else
        echo FAILED
    fi
}

# Wine for the Windows tests: a shared virtual display with its wineserver and throw-away
# prefix, and beside it a few desktops of their own (display and prefix each) that CTest hands
# out to the tests that need the pointer and the focus alone (tests/CMakeLists.txt,
# tools/wine-run.sh), so that several of those run at once. The prefixes fill in the
# background (about 10 s of work each) while the Windows tree builds; wait_wine waits for them.
desktops=${TAVRELIN_TEST_DESKTOPS:-3}
xvfb_pids=()
wineboot_pids=()
keepalive_fds=()
prefixes=()

# start_desktop DIR: an Xvfb display (its name in DIR/display) and a new prefix DIR/prefix
# being filled.
start_desktop() {
    local dir=$1 displayfile
    rm -rf "$dir" && mkdir -p "$dir"
    displayfile=$dir/display
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$displayfile.new" 2>/dev/null &
    xvfb_pids+=($!)
    for _ in $(seq 100); do [ -s "$displayfile.new" ] && break; sleep 0.1; done
    echo ":$(head -n1 "$displayfile.new")" >"$displayfile" && rm -f "$displayfile.new"
    prefixes+=("$dir/prefix")
    (
        export DISPLAY WINEPREFIX="$dir/prefix"
        DISPLAY=$(cat "$displayfile")
        timeout 300 wine wineboot --init >/dev/null 2>&1 </dev/null
        wineserver -p
    ) &
    wineboot_pids+=($!)
}

start_wine() {
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export TAVRELIN_DESKTOPS="$windows/desktops"
    rm -rf "$TAVRELIN_DESKTOPS"
    trap stop_wine EXIT
    # Desktop 0 is the shared one; CTest hands out the others.
    local id json='{"version":{"major":1,"minor":0},"local":[{"desktops":['
    for id in $(seq 0 "$desktops"); do
        start_desktop "$TAVRELIN_DESKTOPS/$id"
        [ "$id" -eq 0 ] && continue
        json+="{\"id\":\"$id\",\"slots\":1}"
        [ "$id" -lt "$desktops" ] && json+=,
    done
    printf '%s]}]}\n' "$json" >"$TAVRELIN_DESKTOPS/resources.json"
    export TAVRELIN_WINEPREFIX="$TAVRELIN_DESKTOPS/0/prefix" WINEPREFIX="$TAVRELIN_DESKTOPS/0/prefix"
    DISPLAY=$(cat "$TAVRELIN_DESKTOPS/0/display")
    export DISPLAY
    echo "starting Wine: shared display $DISPLAY and $desktops desktops of their own"
}

# A persistent server and one idle program in each prefix keep Wine's system processes
# up, so each test starts quickly.
wait_wine() {
    local pid prefix fifo fd
    for pid in "${wineboot_pids[@]}"; do wait "$pid"; done
    for prefix in "${prefixes[@]}"; do
        # A crash ends the test at once instead of waiting on a dialog nobody closes.
        WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        fifo=$prefix.keepalive
        rm -f "$fifo" && mkfifo "$fifo"
        DISPLAY=$(cat "$(dirname "$prefix")/display") WINEPREFIX=$prefix wine cmd.exe <"$fifo" >/dev/null 2>&1 &
        exec {fd}>"$fifo"
        keepalive_fds+=("$fd")
    done
}

stop_wine() {
    local fd prefix pid
    for fd in "${keepalive_fds[@]}"; do exec {fd}>&-; done 2>/dev/null
    for prefix in "${prefixes[@]}"; do WINEPREFIX=$prefix wineserver -k 2>/dev/null; done
    for pid in "${xvfb_pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
}

# Each lane leaves its outcome words and its time in build/logs/<lane>.result;
# its progress lines go to the terminal (descriptor 3), everything else to its log.
record() { printf '%s\n' "$@" >"$logs/$lane.result"; }

# The folders depend only downward (tools/check_layers.py); its outcome word goes to
# build/logs/layers.result, its report to layers.log.
check_layers() {
    local outcome=FAILED
    python3 tools/check_layers.py >"$logs/layers.log" 2>&1 && outcome=passed
    printf "layers_check='%s'\n" "$outcome" >"$logs/layers.result"
    say "native: layer check $outcome" >&3
}

native_lane() {
    lane=native
    local start=$SECONDS tests=skipped fuzz=skipped
    check_layers
    if build "$native" -DTAVRELIN_SANITIZE=ON; then
        say "native: built ($(minutes $((SECONDS - start)))), testing" >&3
        tests=$(run_tests "$native" "$jobs")
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
        # Wine's tests wait on its server and the display much of their time: two more at
        # once than there are cores.
        tests=$(run_tests "$windows" $((jobs + 2)) --resource-spec-file "$TAVRELIN_DESKTOPS/resources.json")
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
layers_check="NOT RUN"
[ -f "$logs/layers.result" ] && source "$logs/layers.result"

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
[ "$layers_check" = passed ] || show_failures "layer check" "$logs/layers.log"

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
if [ "$layers_check" = passed ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi

# The GoogleTest cases behind those entries (each test program is one entry, or a few
# shards of one), from the full output CTest keeps.
cases() {
    sed -n 's/^\[  \(PASSED\|FAILED\)  \] \([0-9]*\) tests\{0,1\}[.,].*/\2/p' "$1/Testing/Temporary/LastTest.log" 2>/dev/null |
        awk '{ n += $1 } END { print n + 0 }'
}

echo
say "native lane $(minutes "$native_time"): tests $native_tests, fuzz smoke run ($smoke_runs inputs a target) $fuzz_smoke"
say "windows lane $(minutes "$windows_time"): tests $windows_tests"
say "layer check: $layers_check"
say "summary: native tests $native_tests, fuzz smoke $fuzz_smoke, windows tests $windows_tests; $(minutes $((SECONDS - started))) in all on $jobs cores"
say "GoogleTest cases run: $(cases "$native") native, $(cases "$windows") under Wine"
echo "tests: $passed passed, $failed failed"
[ "$layers_check" = passed ] || exit 1
[ "$native_tests" = passed ] && [ "$fuzz_smoke" = passed ] && [ "$windows_tests" = passed ]
