#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ (build-fuzz/, clang with ASan and UBSan) and
# runs each for a bounded time, starting from the seed inputs in fuzz/corpus/.
# Fails on any crash, leak, time-out, memory blow-up or sanitizer report; the input
# that caused it is kept in build-fuzz/fuzz/findings/ and its path printed.
#
# Usage: run-fuzzers.sh [--no-deps] [SECONDS]   (SECONDS per target, default 60)
# Longer runs by hand keep growing build-fuzz/fuzz/corpus/, which later runs reuse.
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)

install_deps=1
seconds=60
for arg in "$@"; do
    case "$arg" in
        --no-deps) install_deps=0 ;;
        ''|*[!0-9]*) echo "usage: $0 [--no-deps] [SECONDS]" >&2; exit 2 ;;
        *) seconds=$arg ;;
    esac
done

if [ "$install_deps" -eq 1 ]; then
    bash "$src/scripts/install-deps.sh"
fi

build="$src/build-fuzz"
start=$SECONDS
cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DBUILD_TESTING=OFF -DUNINSTALL_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target UninstallFuzzers
echo "== fuzzer build: $((SECONDS - start)) s"

export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

findings="$build/fuzz/findings"
mkdir -p "$findings"
failed=()
for target in setupconfig registrykeypath removalguard; do
    binary="$build/fuzz/fuzz_$target"
    corpus="$build/fuzz/corpus/$target"
    mkdir -p "$corpus"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
             -artifact_prefix="$findings/$target-")
    if [ -f "$src/fuzz/$target.dict" ]; then
        options+=(-dict="$src/fuzz/$target.dict")
    fi
    log="$build/fuzz/$target.log"
    echo "== fuzzing $target for $seconds s"
    # New inputs go to the first directory; the committed seeds are only read.
    if "$binary" "${options[@]}" "$corpus" "$src/fuzz/corpus/$target" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        echo "== $target: ${runs:-?} inputs in $seconds s, no finding; corpus $(find "$corpus" -type f | wc -l) inputs"
    else
        failed+=("$target")
        tail -n 60 "$log"
        echo "== $target FAILED; the input is in $findings/ (log: $log)"
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzers with findings: ${failed[*]}"
    exit 1
fi
echo "Fuzzers passed: setupconfig registrykeypath removalguard, $seconds s each"
