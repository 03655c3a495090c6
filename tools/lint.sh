#!/bin/sh
# clang-format and clang-tidy over the project's own sources.
# Usage: tools/lint.sh BUILD_DIR   (a native build with compile_commands.json)
set -eu
cd "$(dirname "$0")/.."
build=$1
sources=$(git ls-files '*.cpp' '*.h')
# shellcheck disable=SC2086
clang-format --dry-run --Werror $sources
# Windows-only files are not in the native compilation database.
portable=$(echo "$sources" | grep '\.cpp$' | grep -v -e '_win32\.cpp$' -e '^tests/win32/' \
    -e '^bench/' -e '^tests/fuzz/')
# shellcheck disable=SC2086
clang-tidy -p "$build" --quiet --warnings-as-errors='*' $portable 2>/dev/null
echo "clang-format and clang-tidy: clean"
