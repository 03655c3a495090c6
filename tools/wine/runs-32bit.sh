#!/bin/sh
# Exits with 0 when this machine's Wine runs 32-bit Windows programs (Debian's
# wine32, multiarch), 1 when it runs 64-bit ones only (wine64 alone).
for dir in /usr/lib/i386-linux-gnu/wine/i386-unix /usr/lib/wine/i386-unix; do
    [ -d "$dir" ] && exit 0
done
exit 1
