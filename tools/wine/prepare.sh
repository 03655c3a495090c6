#!/bin/sh
# Prepares Wine for the tests of one build tree: a private prefix inside it,
# a persistent wineserver and a finished wineboot, plus an Xvfb display when
# there is none. Everything is started here, outside CTest's pipes, so that
# each test process starts quickly and CTest never waits on Wine's services.
# Usage: prepare.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# A 64-bit prefix for the 32-bit tree too: its programs run through WoW64,
# as on 64-bit Windows.
export WINEARCH=win64
env_file="$build/wine-env.sh"

# A display lives while the X server named in its lock file runs: a socket
# alone can outlast its server.
display_alive() {
    [ -n "${1:-}" ] && [ -S "/tmp/.X11-unix/X${1#:}" ] || return 1
    server=$(tr -dc 0-9 <"/tmp/.X${1#:}-lock" 2>/dev/null || true)
    [ -z "$server" ] || kill -0 "$server" 2>/dev/null
}

# A display of this machine is used only while its X server runs.
display=${DISPLAY:-}
case "$display" in
    :[0-9]*) display_alive "$display" || display="" ;;
esac
if [ -z "$display" ] && [ -f "$env_file" ]; then
    display=$(sed -n 's/^export DISPLAY=//p' "$env_file")
    display_alive "$display" || display=""
fi
if [ -z "$display" ]; then
    n=91
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$build/xvfb.log" 2>&1 </dev/null &
    tries=0
    until [ -S "/tmp/.X11-unix/X$n" ]; do
        tries=$((tries + 1))
        [ $tries -le 100 ] || { echo "Xvfb did not start (see $build/xvfb.log)" >&2; exit 1; }
        sleep 0.1
    done
    display=":$n"
fi
export DISPLAY="$display"

# Plain wineboot: it makes a new prefix or starts the session of an existing
# one. With --init it starts a second service manager beside the one the
# session already has, and then no service starts (COM's RpcSs among them).
setsid wineserver -p >"$build/wineserver.log" 2>&1 </dev/null || true
wine wineboot >"$build/wineboot.log" 2>&1 </dev/null
# COM needs RpcSs; starting it here shows at once a session that cannot,
# instead of as tests that time out waiting for a COM server.
wine sc start RpcSs >/dev/null 2>&1 </dev/null || true
tries=0
until wine sc query RpcSs 2>/dev/null </dev/null | grep -q RUNNING; do
    tries=$((tries + 1))
    [ $tries -le 20 ] || { echo "Wine's RpcSs service does not start in $WINEPREFIX" >&2; exit 1; }
    sleep 0.5
done

# Where wine32 is installed, `wine` starts a program it finds by name
# (control) with the 32-bit loader, and a 32-bit Control Panel cannot load the
# 64-bit applet: WINE64 is the loader that starts such programs as 64-bit ones.
wine64=$(command -v wine64 || true)
if [ -z "$wine64" ] && [ -x /usr/lib/wine/wine64 ]; then
    wine64=/usr/lib/wine/wine64
fi

cat >"$env_file" <<ENV
export WINEPREFIX="$WINEPREFIX"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
export DISPLAY=$DISPLAY
export WINE64=${wine64:-wine}
ENV
echo "Wine prefix ready: $WINEPREFIX (DISPLAY=$DISPLAY)"
