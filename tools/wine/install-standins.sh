#!/bin/sh
# Lays the stand-ins for the outside components (the mapper, its shell
# library and the Dokan library) into the installation folder of a build
# tree's Wine prefix, beside what the setup program or install.sh put there.
# Usage: install-standins.sh BUILD_DIR   (prefix prepared by prepare.sh)
set -eu
build=$(cd "$1" && pwd)
. "$build/wine-env.sh"

install_dir="$WINEPREFIX/drive_c/Program Files/Camfolio"
mkdir -p "$install_dir"
cp "$build/standins/mapper/Camfolio.exe" \
   "$build/standins/shell-library-current/Camfolio.dll" \
   "$build/standins/dokan-expected/dokan.dll" "$install_dir/"
