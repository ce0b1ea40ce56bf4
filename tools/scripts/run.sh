#!/bin/sh
# Starts the program from the build tree (the working directory must hold the
# installed data: images/, docs/, charts/).
set -eu
BUILD_DIR=${1:-build}
BIN="$BUILD_DIR/bin"
if [ ! -x "$BIN/hxmain" ]; then
    echo "Built everything there is; the program hxmain is not part of the build yet."
    exit 0
fi
cd "$BIN"
exec ./hxmain
