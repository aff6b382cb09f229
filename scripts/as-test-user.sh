# Sourced by the test scripts. As root, re-runs the calling script as the
# unprivileged user uninstall-tester in a copy of the tree, because root ignores
# file permissions and the tests of permission faults would prove nothing.
# Usage: rerun_as_test_user SCRIPT_NAME ARGS...   (returns only when not root)
rerun_as_test_user() {
    [ "$(id -u)" -eq 0 ] || return 0
    local name=$1 user=uninstall-tester work
    shift
    id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"
    work=$(mktemp -d /tmp/uninstall-tests-XXXXXX)
    tar -C "$src" --exclude='./build*' -cf - . | tar -C "$work" -xf -
    chown -R "$user:" "$work"
    echo "Running $name as $user in $work"
    exec runuser -u "$user" -- env -i PATH="$PATH" HOME="$(getent passwd "$user" | cut -d: -f6)" \
        LANG=C.UTF-8 CI="${CI:-}" bash "$work/scripts/$name" "$@"
}
