#!/bin/sh
# Lays out a Camfolio installation in a build tree's Wine prefix, the same
# way for tests and the run command: the installation folder with the
# deliverables that exist and the stand-ins for the outside components, its
# HKEY_LOCAL_MACHINE value, and the data folder with the language files.
# Usage: install.sh BUILD_DIR [BUILD_DIR_32]   (prefix prepared by prepare.sh;
# BUILD_DIR_32, the i686 tree, is build/win32 unless given)
set -eu
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
build32=${2:-$source_dir/build/win32}
. "$build/wine-env.sh"

install_dir="$WINEPREFIX/drive_c/Program Files/Camfolio"
data_dir="$WINEPREFIX/drive_c/ProgramData/Camfolio"
mkdir -p "$install_dir" "$data_dir"

"$source_dir/tools/wine/install-standins.sh" "$build"
if [ -f "$build/applet/Camfolio.cpl" ]; then
    cp "$build/applet/Camfolio.cpl" "$install_dir/"
fi
# The shipped builder is the i686 program, required wherever Wine runs
# 32-bit programs; only a Wine that runs none (wine64 alone) gets the 64-bit
# build instead.
if "$source_dir/tools/wine/runs-32bit.sh"; then
    builder="$build32/builder/CamfolioFmt.exe"
    if [ ! -f "$builder" ]; then
        echo "install.sh: no i686 CamfolioFmt.exe in $build32 (build the win32 preset)" >&2
        exit 1
    fi
    cp "$builder" "$install_dir/"
elif [ -f "$build/builder/CamfolioFmt.exe" ]; then
    echo "Wine runs no 32-bit programs here: installing the x86_64 CamfolioFmt.exe" >&2
    cp "$build/builder/CamfolioFmt.exe" "$install_dir/"
fi
for language in "$source_dir"/common/language/*.lng; do
    [ -e "$language" ] && cp "$language" "$data_dir/"
done

wine reg add 'HKLM\SOFTWARE\Camfolio' /ve /d 'C:\Program Files\Camfolio' /f /reg:64 >/dev/null 2>&1 ||
    wine reg add 'HKLM\SOFTWARE\Camfolio' /ve /d 'C:\Program Files\Camfolio' /f >/dev/null
echo "Installed into C:\\Program Files\\Camfolio (prefix $WINEPREFIX)"
