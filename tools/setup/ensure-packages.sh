#!/bin/sh
# Installs the Debian packages given as arguments that are not installed yet.
# A package named with an architecture (wine32:i386) turns that architecture
# on first. Runs apt-get as root (or through sudo); does nothing when all are
# present.
set -eu
missing=""
architectures=""
for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
        case "$package" in
            *:*) architectures="$architectures ${package#*:}" ;;
        esac
    fi
done
[ -n "$missing" ] || exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    as_root=""
else
    as_root="sudo"
fi
for architecture in $architectures; do
    if [ "$architecture" != "$(dpkg --print-architecture)" ] &&
        ! dpkg --print-foreign-architectures | grep -qx "$architecture"; then
        $as_root dpkg --add-architecture "$architecture"
    fi
done
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -qq
# shellcheck disable=SC2086
$as_root apt-get install -y -qq --no-install-recommends $missing >/dev/null
