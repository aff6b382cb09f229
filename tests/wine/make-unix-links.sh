#!/usr/bin/env bash
# Lays out, in the scratch directory given, the trees in which the Windows test
# program meets links that Wine presents as reparse points (Wine itself can make
# neither junctions nor symbolic links):
#   unix-links/outside/            a user's folder, with a link to an empty folder
#   unix-links/tree/sub/to-outside a link to the user's folder inside a product tree
#   unix-links/deep/A/B/C/deep-link the same past MAX_PATH (three 100-character levels)
set -euo pipefail

base="$1/unix-links"
a=$(printf 'a%.0s' {1..100})
b=$(printf 'b%.0s' {1..100})
c=$(printf 'c%.0s' {1..100})

mkdir -p "$base/outside/nested" "$base/outside/bait" "$base/tree/sub" "$base/deep/$a/$b/$c"
echo "the user's" >"$base/outside/keep.txt"
echo "the user's too" >"$base/outside/nested/deep.txt"
ln -s ../bait "$base/outside/nested/bait-link"
echo "the product's" >"$base/tree/own.txt"
ln -s ../../outside "$base/tree/sub/to-outside"
ln -s ../../../../outside "$base/deep/$a/$b/$c/deep-link"
