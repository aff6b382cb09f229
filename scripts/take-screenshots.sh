#!/usr/bin/env bash
# Regenerates the screenshots in docs/screenshots/: the confirmation, the progress
# page and the completion page, in English and in Chinese, from headless demo runs.
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
out="$src/docs/screenshots"
mkdir -p "$out"
for language in en zh; do
    work=$(mktemp -d /tmp/uninstall-shots-XXXXXX)
    bash "$src/scripts/demo.sh" --headless --no-build --language "$language" --screenshots "$work" >"$work/demo.log" \
        || { cat "$work/demo.log" >&2; exit 1; }
    for step in confirmation progress completed; do
        cp "$work"/*-"$step".png "$out/$language-$step.png"
    done
    rm -rf "$work"
done
echo "Screenshots written to $out"
