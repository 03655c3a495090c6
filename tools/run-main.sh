#!/bin/sh
# Builds everything (Windows 64- and 32-bit, and the native tools) and runs
# the main job under Wine: the support tool expands the default file name
# format for the sample picture.
# Usage: tools/run-main.sh
set -eu
cd "$(dirname "$0")/.."
. tools/setup/packages.sh
# shellcheck disable=SC2086
tools/setup/ensure-packages.sh $BUILD_PACKAGES $WINE_PACKAGES

for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

tools/wine/prepare.sh build/win64
. build/win64/wine-env.sh
echo "camfolio-tool format \"<Y4>-<M2>-<D2>-<C4><Fo>\" (under Wine):"
wine build/win64/tools/camfolio-tool/camfolio-tool.exe format "<Y4>-<M2>-<D2>-<C4><Fo>"
