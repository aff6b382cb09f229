#!/usr/bin/env bash
# Runs a Windows test program under Wine in a prefix of its own, made for this run and
# removed after it, so that runs never share state and nothing reaches the real home.
#
#   run-under-wine.sh [--prepare SCRIPT] PROGRAM.exe
#
# The program gets C:\scratch, an empty directory of the prefix, as its argument;
# SCRIPT, when given, is run with that directory's Unix path first. The exit code is
# the program's.
set -euo pipefail

prepare=
if [ "${1:-}" = "--prepare" ]; then
    prepare=$2
    shift 2
fi
program=$1
wine=${WINE:-wine}
wineserver=${WINESERVER:-wineserver}

root=$(mktemp -d "${TMPDIR:-/tmp}/wine-test-XXXXXX")
export WINEPREFIX="$root/prefix" WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko installers, and no menu entries or file associations on the host.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export HOME="$root/home" XDG_DATA_HOME="$root/home/.local/share" XDG_CONFIG_HOME="$root/home/.config" \
    XDG_CACHE_HOME="$root/home/.cache"
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME"

cleanup() {
    "$wineserver" -k >/dev/null 2>&1 || true
    "$wineserver" -w >/dev/null 2>&1 || true
    # The tests leave read-only folders behind, which would stop an unprivileged rm.
    chmod -R u+rwX "$root" 2>/dev/null || true
    rm -rf "$root"
}
trap cleanup EXIT

started=$(date +%s)
if ! timeout --kill-after=10 150 "$wine" wineboot -i >"$root/wineboot.log" 2>&1; then
    echo "wineboot failed:" >&2
    cat "$root/wineboot.log" >&2
    exit 1
fi
echo "prefix ready in $(($(date +%s) - started)) s"

scratch="$WINEPREFIX/drive_c/scratch"
mkdir -p "$scratch"
if [ -n "$prepare" ]; then
    bash "$prepare" "$scratch"
fi

status=0
timeout --kill-after=10 120 "$wine" "$program" 'C:\scratch' || status=$?
exit "$status"
