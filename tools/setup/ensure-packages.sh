#!/bin/sh
# Installs the Debian packages given as arguments that are not installed yet.
# Runs apt-get as root (or through sudo); does nothing when all are present.
set -eu
missing=""
for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -n "$missing" ] || exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    as_root=""
else
    as_root="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -qq
# shellcheck disable=SC2086
$as_root apt-get install -y -qq --no-install-recommends $missing >/dev/null
