#!/bin/sh
# Waits (at most 60 s) until a window whose title matches TITLE_REGEX is on
# the build's display and painted, then saves it as a PNG.
# Usage: screenshot-window.sh BUILD_DIR TITLE_REGEX OUTPUT.png
set -eu
build=$1
title=$2
output=$3
. "$build/wine-env.sh"

window=""
tries=0
while [ -z "$window" ]; do
    window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
    tries=$((tries + 1))
    if [ -z "$window" ]; then
        [ "$tries" -ge 120 ] && { echo "no window \"$title\" appeared" >&2; exit 1; }
        sleep 0.5
    fi
done

# The window exists before it is painted: wait until it shows more than a
# few colours. Captured from the root window, since Xvfb keeps no backing
# store for a window alone.
mkdir -p "$(dirname "$output")"
tries=0
while :; do
    geometry=$(xdotool getwindowgeometry --shell "$window")
    eval "$geometry"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
    colours=$(identify -format '%k' "$output")
    if [ "$colours" -gt 16 ]; then
        # Painted: let the last controls finish drawing, then take it again.
        sleep 1
        import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
        break
    fi
    tries=$((tries + 1))
    [ "$tries" -ge 60 ] && { echo "window \"$title\" was never painted" >&2; exit 1; }
    sleep 0.5
done
echo "Screenshot: $output"
