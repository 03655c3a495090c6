#!/bin/sh
# Builds everything (Windows 64- and 32-bit, and the native tools) and runs
# the main job under Wine: with the installation laid out in a private
# prefix, the support tool expands the default file name format for the
# sample picture and prints the settings as the applet reads them.
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
tools/wine/install.sh build/win64 build/win32
. build/win64/wine-env.sh
tool=build/win64/tools/camfolio-tool/camfolio-tool.exe
echo "camfolio-tool format \"<Y4>-<M2>-<D2>-<C4><Fo>\" (under Wine):"
wine "$tool" format "<Y4>-<M2>-<D2>-<C4><Fo>"
echo "camfolio-tool settings (under Wine):"
wine "$tool" settings
echo "camfolio-tool profiles (under Wine):"
wine "$tool" profiles
