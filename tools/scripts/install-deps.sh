#!/bin/sh
# Installs what the build needs and is not there yet: Debian packages and the
# two chart scripts from the npm registry. A second run installs nothing.
set -eu
BUILD_DIR=${1:-build}

PACKAGES="build-essential cmake pkg-config qtbase5-dev libqt5webkit5-dev libqt5serialport5-dev \
libqt5svg5-dev qttools5-dev-tools xvfb xauth"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
# Node is only needed to fetch the chart scripts; any npm on the PATH will do.
if ! command -v npm >/dev/null 2>&1; then
    missing="$missing nodejs npm"
fi

if [ -n "$missing" ]; then
    SUDO=""
    if [ "$(id -u)" != "0" ]; then
        SUDO="sudo"
    fi
    echo "Installing Debian packages:$missing"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi

# Highstock 5.0.14 is the newest release that Qt WebKit 5.212 can parse; keep both pinned.
NPM_DIR="$BUILD_DIR/npm"
if [ ! -f "$NPM_DIR/node_modules/highcharts/highstock.js" ] \
    || [ ! -f "$NPM_DIR/node_modules/jquery/dist/jquery.min.js" ]; then
    echo "Fetching chart scripts from the npm registry (jquery@3.1.1, highcharts@5.0.14)"
    mkdir -p "$NPM_DIR"
    npm install --prefix "$NPM_DIR" --no-save --no-audit --no-fund --loglevel=error \
        jquery@3.1.1 highcharts@5.0.14
fi
