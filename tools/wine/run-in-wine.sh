#!/bin/sh
# CTest's emulator for Windows test programs: runs one under Wine in the
# build tree's private prefix (prepared by prepare.sh when it is missing).
# Usage: run-in-wine.sh BUILD_DIR PROGRAM [ARGS...]
set -eu
build=$1
shift
if [ ! -f "$build/wine-env.sh" ]; then
    "$(dirname "$0")/prepare.sh" "$build" >/dev/null
fi
. "$build/wine-env.sh"
exec wine "$@"
