#!/bin/sh
# Builds everything (Windows 64- and 32-bit) and the setup program, and runs
# the main job under Wine: installed by the setup program (silently) into a
# private prefix, the applet is listed by the Control Panel, which opens it,
# in English and then in German, and a screenshot of each is saved (the
# display is a virtual one when there is no other); then the builder, the
# Settings and About pages and the Profiles page with a camera selected, in
# both languages; then the applet and the builder at 144 DPI; last, "Dump
# WIA..." on the Settings page with the first lines of the file it writes.
# Usage: tools/run-main.sh
set -eu
cd "$(dirname "$0")/.."
. tools/setup/packages.sh
# shellcheck disable=SC2086
tools/setup/ensure-packages.sh $BUILD_PACKAGES $WINE_PACKAGES $SCREENSHOT_PACKAGES $INSTALLER_PACKAGES

for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

# The setup program packs the 32-bit builder just built.
cmake --build --preset win64 --target installer

build=build/win64
tools/wine/prepare.sh "$build"
. "$build/wine-env.sh"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
wine "$build/installer/Camfolio-$version-setup.exe" /S
tools/wine/install-standins.sh "$build"
screenshots=$(pwd)/$build/screenshots
applet='C:\Program Files\Camfolio\Camfolio.cpl'

# The 64-bit Control Panel, the only one that loads the 64-bit applet: with
# wine32 present, "wine control" is the 32-bit one.
control_panel() { "$WINE64" control "$@"; }

# With no argument, the Control Panel lists the entry the setup program
# registered.
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Control Panel\Cpls' /v Camfolio /reg:64
control_panel &
control=$!
tools/wine/screenshot-window.sh "$build" '^Wine Control Panel$' "$screenshots/control-panel.png"
kill "$control" 2>/dev/null || true
wineserver -k
wait "$control" 2>/dev/null || true

# Opens the applet, saves its screenshot and closes it again.
show_applet() {
    control_panel "$applet" &
    control=$!
    tools/wine/screenshot-window.sh "$build" '^Camfolio$' "$screenshots/$1"
    kill "$control" 2>/dev/null || true
    wineserver -k
    wait "$control" 2>/dev/null || true
}

wine reg delete 'HKCU\SOFTWARE\Camfolio' /v LngFile /f >/dev/null 2>&1 || true
show_applet applet-english.png
wine reg add 'HKCU\SOFTWARE\Camfolio' /v LngFile /d Deutsch.lng /f >/dev/null
show_applet applet-german.png
wine reg delete 'HKCU\SOFTWARE\Camfolio' /v LngFile /f >/dev/null 2>&1 || true

# The builder with a format loaded, started as the applet does over a window
# of a small receiver program, and its screenshot.
show_builder() {
    handle_file=$build/builder-receiver-handle.txt
    rm -f "$handle_file"
    wine "$build/tests/builder_receiver.exe" "$(winepath -w "$handle_file")" &
    receiver=$!
    tries=0
    until [ -s "$handle_file" ]; do
        tries=$((tries + 1))
        [ "$tries" -le 120 ] || { echo "the builder's receiver did not start" >&2; exit 1; }
        sleep 0.5
    done
    wine 'C:\Program Files\Camfolio\CamfolioFmt.exe' /h "$(cat "$handle_file")" '<Y4>-<M2>-<D2>-<C4><Fo>' &
    builder=$!
    tools/wine/screenshot-window.sh "$build" '^Filename Format Builder$' "$screenshots/$1"
    kill "$builder" "$receiver" 2>/dev/null || true
    wineserver -k
    wait "$builder" "$receiver" 2>/dev/null || true
}

show_builder builder-english.png
wine reg add 'HKCU\SOFTWARE\Camfolio' /v LngFile /d Deutsch.lng /f >/dev/null
show_builder builder-german.png
wine reg delete 'HKCU\SOFTWARE\Camfolio' /v LngFile /f >/dev/null 2>&1 || true

# The Settings page filled from the registry and the About page with a
# licence text, in English and in German; the Control Panel passes ",,N" on
# to the applet as its start page.
show_applet_page() {
    control_panel "$applet" ",,$1" &
    control=$!
    tools/wine/screenshot-window.sh "$build" '^Camfolio$' "$screenshots/$2"
    kill "$control" 2>/dev/null || true
    wineserver -k
    wait "$control" 2>/dev/null || true
}

for language in english german; do
    if [ "$language" = german ]; then
        wine reg add 'HKCU\SOFTWARE\Camfolio' /v LngFile /d Deutsch.lng /f >/dev/null
    fi
    show_applet_page 1 "settings-$language.png"
    show_applet_page 3 "about-$language.png"
done
wine reg delete 'HKCU\SOFTWARE\Camfolio' /v LngFile /f >/dev/null 2>&1 || true

# The Profiles page over a few camera profiles: the default one, a camera
# with an alias and a format of its own, and a camera whose profiles are kept
# per serial number. Selected by keyboard as a user would: Ctrl+Tab to the
# page, Tab into the list and Down to the fourth row (NIKON D90).
profiles='HKCU\SOFTWARE\Camfolio\Profiles'
set_profile() {
    wine reg add "$profiles$1" /v "$2" /t "$3" /d "$4" /f >/dev/null
}
set_profile '' DriveLetter REG_SZ M
set_profile '' AutoMap REG_DWORD 1
set_profile '\NIKON D90' DriveLetter REG_SZ K
set_profile '\NIKON D90' Alias REG_SZ holiday
set_profile '\NIKON D90' AutoMap REG_DWORD 1
set_profile '\NIKON D90' IfDriveLetterUnavailable REG_DWORD 1
set_profile '\NIKON D90' FormatString REG_SZ '<Y4><M2><D2>_<O><Fu>'
set_profile '\Canon EOS\1111' DriveLetter REG_SZ P
set_profile '\Canon EOS\2222' DriveLetter REG_SZ Q
set_profile '\Canon EOS\2222' MultiCardSupport REG_DWORD 1
set_profile '\Canon EOS\2222' DriveLetter2 REG_SZ R

show_profiles() {
    control_panel "$applet" &
    control=$!
    tries=0
    until window=$(xdotool search --onlyvisible --name '^Camfolio$' 2>/dev/null | head -n 1) &&
        [ -n "$window" ]; do
        tries=$((tries + 1))
        [ "$tries" -le 120 ] || { echo "the applet did not open" >&2; exit 1; }
        sleep 0.5
    done
    xdotool windowfocus --sync "$window"
    xdotool key --delay 200 ctrl+Tab Tab Down Down Down Down
    tools/wine/screenshot-window.sh "$build" '^Camfolio$' "$screenshots/$1"
    kill "$control" 2>/dev/null || true
    wineserver -k
    wait "$control" 2>/dev/null || true
}

show_profiles profiles-english.png
wine reg add 'HKCU\SOFTWARE\Camfolio' /v LngFile /d Deutsch.lng /f >/dev/null
show_profiles profiles-german.png
wine reg delete 'HKCU\SOFTWARE\Camfolio' /v LngFile /f >/dev/null 2>&1 || true

# The applet and the builder on a 150 % screen: Wine takes the resolution
# from "LogPixels" when its processes start.
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
    wineserver -k
}
set_dpi 144
show_applet applet-144dpi.png
show_builder builder-144dpi.png
set_dpi 96

# "Dump WIA..." pressed by its access key on the Settings page, the save
# dialog answered with a file name, and the first lines of the listing that
# Wine's WIA service gives (its cameras cannot be served from another
# process: Wine marshals no WIA item or property storage).
dump_file='C:\WIA-dump.log'
dump_unix=$(winepath -u "$dump_file")
rm -f "$dump_unix"
wait_window() {
    tries=0
    until window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) &&
        [ -n "$window" ]; do
        tries=$((tries + 1))
        [ "$tries" -le 120 ] || { echo "no window \"$1\" appeared" >&2; exit 1; }
        sleep 0.5
    done
}
control_panel "$applet" ",,1" &
control=$!
wait_window '^Camfolio$'
xdotool windowfocus --sync "$window"
xdotool key --delay 200 alt+d
wait_window '^Save WIA data\.\.\.$'
xdotool windowfocus --sync "$window"
xdotool key --delay 100 ctrl+a
xdotool type --delay 50 "$dump_file"
xdotool key --delay 100 Return
tries=0
until [ -s "$dump_unix" ]; do
    tries=$((tries + 1))
    [ "$tries" -le 60 ] || { echo "the WIA dump was not written" >&2; exit 1; }
    sleep 0.5
done
sleep 1
echo "WIA dump ($dump_file), first lines:"
head -n 20 "$dump_unix"
kill "$control" 2>/dev/null || true
wineserver -k
wait "$control" 2>/dev/null || true
