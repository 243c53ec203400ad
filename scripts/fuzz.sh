#!/usr/bin/env bash
# Builds the fuzz targets of the file readers (clang, in build-fuzz) and runs them under
# AddressSanitizer and UndefinedBehaviorSanitizer, each from its seed corpus in tests/data/fuzz.
#
#   scripts/fuzz.sh [SECONDS]   each target for SECONDS (default 60); the inputs it finds go
#                               to build-fuzz/corpus/TARGET, kept for the next run, and what
#                               fails to build-fuzz/findings/TARGET/crash-* (or leak-, timeout-)
#   scripts/fuzz.sh --ci        the test command's step: each target replays its seed corpus,
#                               then makes a fixed number of runs from a fixed seed, into an
#                               empty scratch corpus (build-fuzz/ci-corpus), so every run of
#                               it does the same
#
# Every target runs; a crash, a leak or a hang of any fails the script at the end.
#
# The seed corpus is never written to. Known crashes wait under tests/data/fuzz/crashes,
# outside the folders replayed here, until their fix; undefined behaviour among them is
# named in tests/fuzz/open_findings.supp, so the runs find what is new.
set -euo pipefail
cd "$(dirname "$0")/.."

ci_runs=20000
ci_seed=1
mode=timed
seconds=60
case "${1:-}" in
--ci) mode=ci ;;
"") ;;
*[!0-9]* | 0)
    echo "usage: scripts/fuzz.sh [SECONDS] | --ci" >&2
    exit 2
    ;;
*) seconds=$1 ;;
esac

scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZEB_FUZZ=ON -DZEB_BUILD_TESTS=OFF -DZEB_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz
. scripts/sanitizer-options.sh
export UBSAN_OPTIONS=$UBSAN_OPTIONS:suppressions=$PWD/tests/fuzz/open_findings.supp
# Qt's warnings about broken pictures, one or more per input, would fill the logs (125 MB in
# ten minutes of the picture reader); the sanitizers' and the fuzzer's reports stay.
export QT_LOGGING_RULES='*.debug=false;*.info=false;*.warning=false'
# The targets rewrite a file for every input: on a memory file system that costs no disk
# flush, which on a disk makes the runs some ten times slower.
memory=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && memory=/dev/shm
scratch=$(mktemp -d -p "$memory")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch
# The fuzzer's comparison tables take in addresses and hash orders: for the same seed to make
# the same runs, the step runs without address randomisation (where the system lets it) and
# with Qt's hash tables unseeded.
fixed=()
if [ "$mode" = ci ]; then
    export QT_HASH_SEED=0
    if setarch "$(uname -m)" -R true 2>/dev/null; then
        fixed=(setarch "$(uname -m)" -R)
    fi
fi

targets=(plan_reader plan_cut settings language recovery_file progress_record picture)
failed=()
for target in "${targets[@]}"; do
    seeds=tests/data/fuzz/$target
    corpus=build-fuzz/corpus/$target
    findings=build-fuzz/findings/$target
    if [ "$mode" = ci ]; then
        corpus=build-fuzz/ci-corpus/$target
        rm -rf "$corpus"
    fi
    mkdir -p "$corpus" "$findings"
    # New inputs go to the first folder only: the scratch corpus.
    options=(-artifact_prefix="$findings/" -timeout=30 -print_final_stats=1 "$corpus" "$seeds")
    if [ "$mode" = ci ]; then
        # No rereading of the corpus folder by the clock, which would make other runs too.
        options=(-runs="$ci_runs" -seed="$ci_seed" -reload=0 "${options[@]}")
    else
        options=(-max_total_time="$seconds" "${options[@]}")
    fi
    log=$findings/last-run.log
    start=$SECONDS
    if "${fixed[@]}" build-fuzz/tests/fuzz/fuzz_"$target" "${options[@]}" >"$log" 2>&1; then
        # The last status line: coverage, features and the corpus held, seeds included.
        echo "fuzz_$target: $((SECONDS - start)) s," \
            "$(grep -E '^#[0-9]+' "$log" | tail -n 1 | cut -f 1,2 | tr -s '\t ' ' ')," \
            "$(find "$corpus" -type f | wc -l) new inputs in $corpus"
    else
        tail -n 50 "$log"
        echo "fuzz_$target FAILED: the input is in $findings, the whole log in $log"
        failed+=("$target")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Failed: ${failed[*]}" >&2
    exit 1
fi
