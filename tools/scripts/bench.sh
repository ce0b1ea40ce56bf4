#!/bin/sh
# Runs every benchmark in the build tree and prints its results.
set -eu
BUILD_DIR=${1:-build}
found=0
for b in "$BUILD_DIR"/bench-bin/bench_*; do
    [ -x "$b" ] || continue
    found=1
    echo "== $(basename "$b")"
    abs="$(cd "$(dirname "$b")" && pwd)/$(basename "$b")"
    (cd "$BUILD_DIR/bin" && QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$abs")
done
[ "$found" = 1 ] || echo "No benchmarks built."
