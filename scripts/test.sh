#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors and runs every test.
# As root it runs the build and the tests as an unprivileged user of its own, in a
# copy of the tree (scripts/as-test-user.sh).
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != "--no-deps" ]; then
    bash "$src/scripts/install-deps.sh"
fi

. "$src/scripts/as-test-user.sh"
rerun_as_test_user test.sh --no-deps

cmake -S "$src" -B "$src/build" -G Ninja -DUNINSTALL_WARNINGS_AS_ERRORS=ON
cmake --build "$src/build"
ctest --test-dir "$src/build" --output-on-failure --timeout 600 -j2
