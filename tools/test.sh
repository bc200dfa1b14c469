#!/bin/bash
# Builds every preset and runs every test: the portable core natively and
# under ASan/UBSan, the fuzz targets briefly, the Windows program with its
# in-process and end-to-end tests under Wine, and the release zip's
# contents. Ends with one line "N passed, M failed"; exits non-zero on any
# failure.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
cd "$TOLVIK_ROOT"

FUZZ_SECONDS=20
while [ $# -gt 0 ]; do
    case "$1" in
    --fuzz-seconds) FUZZ_SECONDS="$2"; shift 2 ;;
    *) echo "usage: $0 [--fuzz-seconds N]" >&2; exit 2 ;;
    esac
done

PASSED=0
FAILED=0
trap tolvik_cleanup EXIT

tolvik_install_packages "${TOLVIK_BUILD_PACKAGES[@]}" "${TOLVIK_WINE_PACKAGES[@]}" || {
    echo "0 passed, 1 failed"
    exit 1
}

# Adds the counts of one ctest run (from its summary line) to the totals.
count_ctest() {
    local log="$1" status="$2"
    local line total failed
    line="$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)"
    if [ -z "$line" ]; then
        if [ "$status" -ne 0 ]; then FAILED=$((FAILED + 1)); fi
        return
    fi
    failed="$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')"
    total="$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/')"
    PASSED=$((PASSED + total - failed))
    FAILED=$((FAILED + failed))
}

build_preset() {
    local preset="$1"
    tolvik_log "building $preset"
    cmake --preset "$preset" >"build/$preset-configure.log" 2>&1 &&
        cmake --build --preset "$preset" -j2 >"build/$preset-build.log" 2>&1
    local status=$?
    if [ $status -ne 0 ]; then
        tail -n 40 "build/$preset-configure.log" "build/$preset-build.log" >&2
        FAILED=$((FAILED + 1))
    fi
    return $status
}

run_ctest() {
    local preset="$1"
    shift
    tolvik_log "testing $preset"
    ctest --preset "$preset" "$@" >"build/$preset-test.log" 2>&1
    local status=$?
    tail -n 25 "build/$preset-test.log" >&2
    count_ctest "build/$preset-test.log" $status
}

mkdir -p build

# Portable core, natively and under the sanitizers.
if build_preset native; then run_ctest native -j2; fi
if build_preset native-asan; then
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest native-asan -j2
fi

# Fuzz targets, a short run each from their seed corpus.
if build_preset fuzz; then
    for target in build/fuzz/fuzz_*; do
        [ -x "$target" ] || continue
        name="$(basename "$target")"
        corpus="build/fuzz-corpus/$name"
        mkdir -p "$corpus"
        [ -d "fuzz/corpus/$name" ] && cp -f fuzz/corpus/"$name"/* "$corpus/" 2>/dev/null
        tolvik_log "fuzzing $name for ${FUZZ_SECONDS}s"
        if "$target" -max_total_time="$FUZZ_SECONDS" -max_len=4096 -rss_limit_mb=2048 "$corpus" \
            >"build/$name-fuzz.log" 2>&1; then
            PASSED=$((PASSED + 1))
        else
            tail -n 40 "build/$name-fuzz.log" >&2
            FAILED=$((FAILED + 1))
        fi
    done
fi

# The Windows program under Wine, and the release package made from it.
if build_preset mingw; then
    if tolvik_prefix_init && tolvik_start_xvfb && tolvik_start_keeper "build/mingw/wine-keeper.exe"; then
        run_ctest mingw -j2
    else
        FAILED=$((FAILED + 1))
    fi
    tolvik_log "packing and checking the release zip"
    if zip="$(bash tools/package.sh --no-build 2>build/package.log | tail -1)" &&
        python3 tools/check_package.py "$zip" >>build/package.log 2>&1; then
        PASSED=$((PASSED + 1))
    else
        cat build/package.log >&2
        FAILED=$((FAILED + 1))
    fi
fi

tolvik_cleanup
echo "$PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ] && [ "$PASSED" -gt 0 ]
