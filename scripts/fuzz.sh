#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan, in build-fuzz/) and runs
# each for the given number of seconds: bash scripts/fuzz.sh [seconds] [target...]
# (default 20 s, all targets). Fails on any crash, sanitizer report, leak,
# hang (-timeout), memory blow-up (-rss_limit_mb) or single allocation beyond
# what the input justifies (-malloc_limit_mb). A finding is kept in
# build-fuzz/artifacts/<target>/; fuzz/README.md says what to do with it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(package legacy legacycheck rtf rtflayout number packer csv)
build="$top/build-fuzz"

# WANDQUIZ_FUZZ_NO_BUILD=1 runs what is built, e.g. a second run beside a first.
if [ -z "${WANDQUIZ_FUZZ_NO_BUILD:-}" ]; then
    # -O1 with line tables only: the sanitized build is much quicker, and
    # findings still name file and line.
    CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=None \
        -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" \
        -DWANDQUIZ_FUZZ=ON -DWANDQUIZ_WERROR=ON >/dev/null
    cmake --build "$build" --target fuzzers -j"$(nproc)" >/dev/null
fi

# Extra seeds for the RTF reader from the shared test files, when present.
extra="$build/seeds-extra"
mkdir -p "$extra/rtf"
if [ -d "$top/../shared/testdata/rtf" ]; then
    find "$top/../shared/testdata/rtf" -name '*.rtf' -size -64k -exec cp {} "$extra/rtf/" \;
fi

# Inputs long enough for every construct of their kind: a package of a plain
# wall is under 3 KB; 8 KB of RTF hold any nesting of groups, tables, fields
# and a picture (seeds beyond that, as the 27 KB help text, are cut there), and
# a run of such inputs reached the same coverage in 30 s as one of 32 KB at
# half the speed.
declare -A max_len=([package]=16384 [legacy]=8192 [legacycheck]=8192 [rtf]=8192 [rtflayout]=8192 [number]=256 [packer]=4096 [csv]=8192)
declare -A seeds=(
    [package]="$build/fuzz/seeds/package"
    [legacy]="$top/fuzz/corpus/legacy $top/data/walls"
    [legacycheck]="$top/fuzz/corpus/legacy $top/data/walls"
    [rtf]="$top/fuzz/corpus/rtf $top/data/help $extra/rtf"
    [rtflayout]="$top/fuzz/corpus/rtf $top/data/help $extra/rtf"
    [number]="$top/fuzz/corpus/number"
    [packer]="$top/fuzz/corpus/packer"
    [csv]="$top/fuzz/corpus/csv"
)

# A small quarantine: with the default 256 MB every run maps fresh pages, six
# times slower here, and the runs free far less than that between checks.
# Two frames of where memory was allocated and freed: Qt is built without
# frame pointers, so deeper stacks are mostly noise, and storing them took
# a third to a half of a run. Replaying a finding without these options (as
# fuzz/README.md shows) gives the full stacks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16:malloc_context_size=2}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$top/fuzz/lsan.supp:print_suppressions=0}
failed=()
for target in "${targets[@]}"; do
    [ -n "${max_len[$target]:-}" ] || { echo "unknown fuzz target: $target" >&2; exit 2; }
    work="$build/corpus-work/$target"
    artifacts="$build/artifacts/$target"
    log="$build/logs/$target.log"
    mkdir -p "$work" "$artifacts" "$build/logs"
    # shellcheck disable=SC2086 # the seed folders are a list
    if "$build/bin/fuzz_$target" "$work" ${seeds[$target]} \
        -max_total_time="$seconds" -max_len="${max_len[$target]}" \
        -rss_limit_mb=2048 -malloc_limit_mb=64 -timeout=10 \
        -artifact_prefix="$artifacts/" -print_final_stats=1 >"$log" 2>&1; then
        status=ok
    else
        status=FAILED
        failed+=("$target")
    fi
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1 || true)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1 || true)
    cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)
    echo "fuzz $target: $status, ${seconds}s, ${execs:-?} runs, ${speed:-?}/s, ${cov:-no coverage line}, corpus $(ls "$work" | wc -l)"
    if [ "$status" = FAILED ]; then
        grep -E '==FINDING==|ERROR: (AddressSanitizer|libFuzzer|LeakSanitizer)|runtime error|SUMMARY' "$log" | head -5 || true
        grep -E 'Test unit written to' "$log" | tail -1 || true
        grep -E '^Base64: ' "$log" | tail -1 | cut -c1-2000 || true   # the input, for a run whose files are gone
        echo "  full log: $log"
    fi
done

echo "fuzz: $(( ${#targets[@]} - ${#failed[@]} )) passed, ${#failed[@]} failed"
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found problems in: ${failed[*]}" >&2
    exit 1
fi
