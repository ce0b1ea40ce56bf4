#!/bin/sh
# Installs what the build needs and is not there yet: Debian packages and the two chart
# scripts from the npm registry. A second run installs nothing and prints nothing.
#
# The chart scripts are optional: when they cannot be fetched (no network, registry down),
# this says what failed and the build goes on; the chart page then says the scripts are
# missing. Everything else is required.
set -eu
BUILD_DIR=${1:-build}

# What the build, the tests, the package and `make run` use:
#   build-essential cmake ninja-build    compiler and build tools (dpkg-dev comes along)
#   qtbase5-dev libqt5webkit5-dev libqt5serialport5-dev libqt5svg5-dev    Qt 5.15
#   file                                 CPack's library scan for the Debian package
#   xvfb xauth                           `make run` without a display
PACKAGES="build-essential cmake ninja-build qtbase5-dev libqt5webkit5-dev \
libqt5serialport5-dev libqt5svg5-dev file xvfb xauth"

NPM_DIR="$BUILD_DIR/npm"
JQUERY="$NPM_DIR/node_modules/jquery/dist/jquery.min.js"
HIGHSTOCK="$NPM_DIR/node_modules/highcharts/highstock.js"
# The build watches this file; it changes only when the state of the scripts does.
STATUS="$NPM_DIR/chart-scripts.status"

note_status() {
    mkdir -p "$NPM_DIR"
    if [ "$(cat "$STATUS" 2>/dev/null || true)" != "$1" ]; then
        printf '%s\n' "$1" >"$STATUS"
    fi
}

have_scripts() {
    [ -f "$JQUERY" ] && [ -f "$HIGHSTOCK" ]
}

SUDO=""
if [ "$(id -u)" != "0" ]; then
    SUDO="sudo"
fi
apt_updated=0
apt_install() {
    if [ "$apt_updated" = 0 ]; then
        $SUDO apt-get update -qq
        apt_updated=1
    fi
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@"
}

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    echo "Installing Debian packages:$missing"
    apt_install $missing
fi

if have_scripts; then
    note_status "fetched"
    exit 0
fi

# After a failed attempt, wait an hour before the next one, so that every build without a
# network does not stall on it; removing the file retries at once.
RETRY_MARK="$NPM_DIR/last-failed-fetch"
if [ -n "$(find "$RETRY_MARK" -mmin -60 2>/dev/null || true)" ]; then
    echo "install-deps: chart scripts still missing (the last fetch failed less than an hour" \
        "ago; rm $RETRY_MARK to try again now)" >&2
    exit 0
fi

# Node is only needed to fetch the chart scripts, so it is installed only when they are
# missing; any npm on the PATH will do.
if ! command -v npm >/dev/null 2>&1; then
    echo "Installing Node.js to fetch the chart scripts: nodejs npm"
    if ! apt_install nodejs npm; then
        echo "install-deps: could not install Node.js (apt-get failed, see above); building" \
            "without the chart scripts: the flight-log chart page will say they are missing." >&2
        note_status "missing: Node.js could not be installed"
        touch "$RETRY_MARK"
        exit 0
    fi
fi

# Highstock 5.0.14 is the newest release that Qt WebKit 5.212 can parse; keep both pinned.
echo "Fetching chart scripts from the npm registry (jquery@3.1.1, highcharts@5.0.14)"
mkdir -p "$NPM_DIR"
npm_log="$NPM_DIR/npm-install.log"
# Bounded waits: an unreachable registry fails in about a minute, not after many retries.
if npm install --prefix "$NPM_DIR" --no-save --no-audit --no-fund --loglevel=error \
    --fetch-retries=1 --fetch-retry-mintimeout=2000 --fetch-retry-maxtimeout=10000 \
    --fetch-timeout=30000 jquery@3.1.1 highcharts@5.0.14 >"$npm_log" 2>&1 && have_scripts; then
    note_status "fetched"
    rm -f "$RETRY_MARK"
    exit 0
fi
registry=$(npm config get registry 2>/dev/null || echo "the npm registry")
echo "install-deps: could not fetch the chart scripts from $registry:" >&2
grep -i -m 3 -E 'err|fail|timed out' "$npm_log" | sed 's/^/    /' >&2 || true
echo "install-deps: building without them: the flight-log chart page will say they are" \
    "missing (full npm output: $npm_log). Run make again once the registry can be reached." >&2
note_status "missing: the npm registry could not be reached"
touch "$RETRY_MARK"
exit 0
