#!/bin/sh
# Runs the installer's tests in a Wine prefix of their own, made afresh for
# every run: the setup program must work on a machine that never had
# Camfolio, and it must not disturb the prefix the other tests share. Exits
# with 77 (skipped) when the setup program has not been built.
# Usage: run-in-fresh-prefix.sh BUILD_DIR TEST_PROGRAM SETUP_PROGRAM
set -eu
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
test_program=$2
setup=$3
if [ ! -f "$setup" ]; then
    echo "$setup is missing: build the installer target first" >&2
    exit 77
fi

tree="$build/installer-test"
if [ -d "$tree/wineprefix" ]; then
    WINEPREFIX="$tree/wineprefix" wineserver -k 2>/dev/null || true
fi
rm -rf "$tree"
mkdir -p "$tree"
# The display the build tree's prefix uses, when it has one.
if [ -f "$build/wine-env.sh" ]; then
    DISPLAY=$(sed -n 's/^export DISPLAY=//p' "$build/wine-env.sh")
    export DISPLAY
fi
"$source_dir/tools/wine/prepare.sh" "$tree" >/dev/null
. "$tree/wine-env.sh"

CAMFOLIO_SETUP=$(winepath -w "$setup")
export CAMFOLIO_SETUP
status=0
wine "$test_program" || status=$?
wineserver -k
exit "$status"
