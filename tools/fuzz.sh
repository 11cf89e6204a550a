#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (build/fuzz) and runs them.
#   tools/fuzz.sh [seconds] [target...]   each target for that long (60 s), all
#                                         targets when none is named; what they find
#                                         is kept in build/fuzz/corpus/<target>/, and
#                                         inputs that fail in build/fuzz/crashes/
#   tools/fuzz.sh --runs N [target...]    the smoke run of tools/test.sh: N inputs
#                                         each from a fixed random seed, nothing kept
# Exits non-zero when a target fails (crash, sanitizer report, leak, hang).
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source tools/caches.sh
tree="$root/build/fuzz"

say() { printf '[fuzz] %s\n' "$*"; }

runs=0
seconds=60
if [ "${1:-}" = --runs ]; then
    runs=$2
    shift 2
elif [[ "${1:-}" =~ ^[0-9]+$ ]]; then
    seconds=$1
    shift
fi

if ! command -v clang++ >/dev/null; then
    say "clang++ not found (tools/setup.sh installs it): no fuzz targets"
    exit 0
fi
jobs=$(nproc)
if ! CC=clang CXX=clang++ cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Test -DTAVRELIN_FUZZ=ON >/dev/null ||
   ! cmake --build "$tree" --target fuzz_targets -j "$jobs" -- -l "$jobs"; then
    say "building the fuzz targets FAILED"
    exit 1
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for seeds in "$tree"/tests/fuzz/*.seeds; do
        targets+=("$(basename "$seeds" .seeds)")
    done
fi

# run_target TARGET: runs one target; its report lines at once, as one block.
run_target() {
    local target=$1 binary seeds log options corpus start scratch status executed
    binary="$tree/tests/fuzz/$target"
    [ -x "$binary" ] || { say "$target: no such target"; return 1; }
    mapfile -t seeds <"$binary.seeds"
    log="$tree/logs/$target.log"
    mkdir -p "$tree/logs" "$tree/crashes"
    # A hang is a finding too: no single input may take longer than 20 s.
    options=(-timeout=20 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$tree/crashes/$target-")
    if [ "$runs" -gt 0 ]; then
        corpus=$(mktemp -d)
        options+=(-seed=1 -runs="$runs")
    else
        corpus="$tree/corpus/$target"
        mkdir -p "$corpus"
        options+=(-max_total_time="$seconds")
    fi
    start=$SECONDS
    # libFuzzer checks after each input, AddressSanitizer once more at the exit. The
    # target's scratch folder goes with TMPDIR: a target stopped by a finding leaves it.
    scratch=$(mktemp -d)
    TMPDIR="$scratch" ASAN_OPTIONS="detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
        "$binary" "${options[@]}" -detect_leaks=1 "$corpus" "${seeds[@]}" >"$log" 2>&1
    status=$?
    rm -rf "$scratch"
    [ "$runs" -gt 0 ] && rm -rf "$corpus"
    executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    if [ $status -eq 0 ]; then
        say "$target: ${executed:-?} inputs, nothing found ($((SECONDS - start)) s)"
    else
        say "$target: FAILED after ${executed:-?} inputs ($((SECONDS - start)) s); log $log"
        grep -m1 -A40 -E '^==[0-9]+==ERROR|runtime error|ALARM|deadly signal' "$log" |
            grep -v -E ' in (std::|fuzzer::|main|__libc)' | head -n 20
        grep -m1 -o 'Test unit written to .*' "$log"
    fi
    return $status
}

# The targets run side by side, as many as there are cores; each prints its lines whole.
failed=0
running=0
results=$(mktemp -d)
for target in "${targets[@]}"; do
    if [ $running -ge "$jobs" ]; then
        wait -n
        running=$((running - 1))
    fi
    (
        out=$(run_target "$target")
        status=$?
        printf '%s\n' "$out"
        [ $status -eq 0 ] || touch "$results/$target"
    ) &
    running=$((running + 1))
done
wait
failed=$(find "$results" -type f | wc -l)
rm -rf "$results"
say "${#targets[@]} targets, $failed failed"
[ $failed -eq 0 ]
