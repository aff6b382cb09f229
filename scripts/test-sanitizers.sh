#!/usr/bin/env bash
# Builds the program and its tests with clang's sanitizers and runs them:
#   1. AddressSanitizer with UndefinedBehaviorSanitizer (build-asan/): every test,
#      the end-to-end ones included, so the real executable runs instrumented too.
#      A memory error, undefined behaviour or a leak fails the test it occurs in.
#   2. ThreadSanitizer (build-tsan/): the tests that run the worker thread, deliver
#      its progress to the window and close the window while it runs.
# Suppressions, each with its reason, are in tests/sanitizers/.
#
# Usage: test-sanitizers.sh [--no-deps] [asan|tsan]...   (default: both)
# As root it runs as the unprivileged user uninstall-tester in a copy of the tree,
# like scripts/test.sh, because root ignores file permissions.
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)

install_deps=1
stages=()
for arg in "$@"; do
    case "$arg" in
        --no-deps) install_deps=0 ;;
        asan|tsan) stages+=("$arg") ;;
        *) echo "usage: $0 [--no-deps] [asan|tsan]..." >&2; exit 2 ;;
    esac
done
[ ${#stages[@]} -gt 0 ] || stages=(asan tsan)

if [ "$install_deps" -eq 1 ]; then
    bash "$src/scripts/install-deps.sh"
fi

. "$src/scripts/as-test-user.sh"
rerun_as_test_user test-sanitizers.sh --no-deps "${stages[@]}"

supp="$src/tests/sanitizers"
# Suppressions name functions, so the reports must be symbolized; clang's own
# symbolizer is not on PATH under its plain name.
export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
export TSAN_SYMBOLIZER_PATH=$ASAN_SYMBOLIZER_PATH
# -O1 keeps the instrumented tests fast enough and the stack traces readable; without
# NDEBUG our own assertions stay in.
configure() {
    cmake -S "$src" -B "$1" -G Ninja \
        -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
        -DUNINSTALL_SANITIZE="$2" >/dev/null
}

# Prints how long the named step took, for the figures in the README.
timed() {
    local name=$1 start=$SECONDS
    shift
    "$@"
    echo "== $name: $((SECONDS - start)) s"
}

run_asan() {
    local build="$src/build-asan"
    timed "ASan+UBSan configure" configure "$build" "address;undefined"
    timed "ASan+UBSan build" cmake --build "$build" -j2
    # detect_leaks: a leak in our code, in a test or in the executable the end-to-end
    # tests start, fails that test (LeakSanitizer's exit code is not 0).
    # fast_unwind_on_malloc=0: Qt has no frame pointers, and the leak suppressions
    # need whole allocation stacks to tell Qt's own allocations from ours.
    export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:fast_unwind_on_malloc=0"
    export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp"
    # The Windows builds' tests run under Wine in the plain test run; here there is
    # nothing of ours to instrument in them.
    timed "ASan+UBSan tests" ctest --test-dir "$build" --output-on-failure --timeout 900 -j2 -LE wine
}

# The tests that involve more than one thread: the worker and its progress reports,
# the window that waits for it when closed, the faults injected on the worker's own
# thread, and the singleton's concurrent creation.
tsan_tests=(tst_uninstallthread tst_installingpage tst_mainwindow tst_vanishingfolders tst_csingleton)

run_tsan() {
    local build="$src/build-tsan"
    timed "TSan configure" configure "$build" "thread"
    timed "TSan build" cmake --build "$build" -j2 --target "${tsan_tests[@]}"
    # Qt itself is not instrumented: the ordering its own locks and atomics give is
    # invisible to ThreadSanitizer, so only what our code does is judged (see tsan.supp).
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:ignore_noninstrumented_modules=1:suppressions=$supp/tsan.supp"
    local regex
    regex="^($(IFS='|'; echo "${tsan_tests[*]}"))\$"
    # ThreadSanitizer needs the address-space layout it was built for; kernels that
    # randomise more bits than it expects are run with randomisation off for it.
    local launcher=()
    if setarch "$(uname -m)" -R true >/dev/null 2>&1; then
        launcher=(setarch "$(uname -m)" -R)
    fi
    timed "TSan tests" "${launcher[@]}" ctest --test-dir "$build" --output-on-failure --timeout 900 -j2 -R "$regex"
}

for stage in "${stages[@]}"; do
    "run_$stage"
done
echo "Sanitizer tests passed: ${stages[*]}"
