#!/bin/sh
# Starts the program from the build tree, connected to a unit.
#
# The working directory is the bin folder, which holds the installed data (images/, docs/,
# charts/). Unless told otherwise the program talks to the virtual unit (tools/hxsim) on a
# pseudo-terminal; the virtual unit keeps its settings in <build>/hxsim-unit.state and
# ends with the program.
#
#   HX_SIM=1   always use the virtual unit
#   HX_SIM=0   use a real unit: the one named by HX_SERIAL_PORT, else the first serial port
#              on which a unit answers
#   (unset)    a real unit when HX_SERIAL_PORT is set or a USB serial adapter is plugged
#              in (/dev/ttyUSB*, /dev/ttyACM*), else the virtual unit
#
# Without a display ($DISPLAY empty) the program runs under Xvfb: once it is connected and
# live values have arrived it saves a picture of its window to <build>/screenshot.png
# (HX_SCREENSHOT=<file> chooses another), prints where it is, and ends.
set -eu
BUILD_DIR=${1:-build}
BIN="$BUILD_DIR/bin"
if [ ! -x "$BIN/hxmain" ]; then
    echo "Built everything there is; the program hxmain is not part of the build yet."
    exit 0
fi
BUILD_ABS=$(cd "$BUILD_DIR" && pwd)
BIN_ABS="$BUILD_ABS/bin"

use_sim=${HX_SIM:-}
if [ -z "$use_sim" ]; then
    use_sim=1
    if [ -n "${HX_SERIAL_PORT:-}" ]; then
        use_sim=0
    else
        for dev in /dev/ttyUSB* /dev/ttyACM*; do
            if [ -e "$dev" ]; then
                use_sim=0
                break
            fi
        done
    fi
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/hxrun.XXXXXX")
SIM_PID=
cleanup() {
    if [ -n "$SIM_PID" ]; then
        kill "$SIM_PID" 2>/dev/null || true
        wait "$SIM_PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [ "$use_sim" = 1 ]; then
    if [ ! -x "$BIN_ABS/hxsim" ]; then
        echo "The virtual unit (hxsim) is not built; set HX_SIM=0 to use a real unit." >&2
        exit 1
    fi
    "$BIN_ABS/hxsim" --link "$WORK/hxunit" --state "$BUILD_ABS/hxsim-unit.state" \
        >"$WORK/hxsim.out" 2>"$WORK/hxsim.err" &
    SIM_PID=$!
    # Its first line names the port.
    tries=0
    while ! grep -q '^HXSIM_PORT=' "$WORK/hxsim.out" 2>/dev/null; do
        if ! kill -0 "$SIM_PID" 2>/dev/null || [ "$tries" -ge 100 ]; then
            echo "The virtual unit did not start:" >&2
            cat "$WORK/hxsim.err" >&2
            exit 1
        fi
        tries=$((tries + 1))
        sleep 0.05
    done
    HX_SERIAL_PORT=$(sed -n 's/^HXSIM_PORT=//p' "$WORK/hxsim.out" | head -n 1)
    export HX_SERIAL_PORT
    echo "Virtual unit on $HX_SERIAL_PORT (settings kept in $BUILD_ABS/hxsim-unit.state)"
else
    echo "Looking for a real unit on ${HX_SERIAL_PORT:-every serial port}"
fi

cd "$BIN_ABS"
status=0
if [ -z "${DISPLAY:-}" ]; then
    if ! command -v xvfb-run >/dev/null 2>&1; then
        echo "No display and no xvfb-run: install xvfb or run with a display." >&2
        exit 1
    fi
    HX_SCREENSHOT=${HX_SCREENSHOT:-$BUILD_ABS/screenshot.png}
    export HX_SCREENSHOT
    echo "No display: running under Xvfb until the window shows live values."
    xvfb-run -a -s "-screen 0 1600x900x24" ./hxmain || status=$?
    case $status in
    0) echo "Screenshot of the connected program: $HX_SCREENSHOT" ;;
    3) echo "No unit answered; the screenshot shows the disconnected window: $HX_SCREENSHOT" ;;
    *) echo "The program ended with exit code $status (see $BIN_ABS/log)." >&2 ;;
    esac
else
    ./hxmain || status=$?
fi
exit "$status"
