#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors and runs every test.
# As root it runs the build and the tests as an unprivileged user of its own, in a
# copy of the tree, because root ignores file permissions and the tests of
# permission faults would prove nothing.
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != "--no-deps" ]; then
    bash "$src/scripts/install-deps.sh"
fi

if [ "$(id -u)" -eq 0 ]; then
    user=uninstall-tester
    id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"
    work=$(mktemp -d /tmp/uninstall-tests-XXXXXX)
    tar -C "$src" --exclude='./build*' -cf - . | tar -C "$work" -xf -
    chown -R "$user:" "$work"
    echo "Running the build and the tests as $user in $work"
    exec runuser -u "$user" -- env -i PATH="$PATH" HOME="$(getent passwd "$user" | cut -d: -f6)" \
        LANG=C.UTF-8 CI="${CI:-}" bash "$work/scripts/test.sh" --no-deps
fi

cmake -S "$src" -B "$src/build" -G Ninja -DUNINSTALL_WARNINGS_AS_ERRORS=ON
cmake --build "$src/build"
ctest --test-dir "$src/build" --output-on-failure --timeout 600 -j2
