#!/bin/sh
# Lays out a Camfolio installation in a build tree's Wine prefix, the same
# way for tests and the run command: the installation folder with the
# deliverables that exist and the stand-ins for the outside components, its
# HKEY_LOCAL_MACHINE value, and the data folder with the language files.
# Usage: install.sh BUILD_DIR [BUILD_DIR_32]   (prefix prepared by prepare.sh)
set -eu
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
build32=${2:-}
. "$build/wine-env.sh"

install_dir="$WINEPREFIX/drive_c/Program Files/Camfolio"
data_dir="$WINEPREFIX/drive_c/ProgramData/Camfolio"
mkdir -p "$install_dir" "$data_dir"

"$source_dir/tools/wine/install-standins.sh" "$build"
if [ -f "$build/applet/Camfolio.cpl" ]; then
    cp "$build/applet/Camfolio.cpl" "$install_dir/"
fi
# The shipped builder is the 32-bit program; a Wine without 32-bit support
# (Debian's wine64 alone) runs the 64-bit build of it instead.
wine_runs_32bit() {
    for dir in /usr/lib/i386-linux-gnu/wine/i386-unix /usr/lib/wine/i386-unix; do
        [ -d "$dir" ] && return 0
    done
    return 1
}
builder=""
if [ -n "$build32" ] && [ -f "$build32/builder/CamfolioFmt.exe" ] && wine_runs_32bit; then
    builder="$build32/builder/CamfolioFmt.exe"
elif [ -f "$build/builder/CamfolioFmt.exe" ]; then
    builder="$build/builder/CamfolioFmt.exe"
fi
if [ -n "$builder" ]; then
    cp "$builder" "$install_dir/"
fi
for language in "$source_dir"/common/language/*.lng; do
    [ -e "$language" ] && cp "$language" "$data_dir/"
done

wine reg add 'HKLM\SOFTWARE\Camfolio' /ve /d 'C:\Program Files\Camfolio' /f /reg:64 >/dev/null 2>&1 ||
    wine reg add 'HKLM\SOFTWARE\Camfolio' /ve /d 'C:\Program Files\Camfolio' /f >/dev/null
echo "Installed into C:\\Program Files\\Camfolio (prefix $WINEPREFIX)"
