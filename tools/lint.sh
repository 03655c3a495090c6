#!/bin/sh
# clang-format over every source of the project, the include direction of
# every folder (tools/layers.txt), and clang-tidy over the sources of both the
# native build and the 64-bit Windows build (each compiles files the other
# does not).
# Usage: tools/lint.sh NATIVE_BUILD_DIR WIN64_BUILD_DIR   (configured trees)
set -eu
cd "$(dirname "$0")/.."
native=$1
win64=$2
# shellcheck disable=SC2046
clang-format --dry-run --Werror $(git ls-files '*.cpp' '*.h')
tools/check-includes.py
root=$(pwd)
headers="$root/(applet|bench|builder|common|config|diag|state|tests|tools|wialib)/"

# The tracked sources a compile database compiles.
sources_of() {
    python3 - "$1/compile_commands.json" "$root" <<'PY'
import json, os, subprocess, sys
commands, root = sys.argv[1], sys.argv[2]
tracked = set(subprocess.run(["git", "ls-files", "*.cpp"], capture_output=True, text=True,
                             check=True).stdout.split())
for path in sorted({os.path.relpath(os.path.join(e["directory"], e["file"]), root)
                    for e in json.load(open(commands))}):
    if path in tracked:
        print(path)
PY
}

sources_of "$native" | xargs -P 2 -n 6 clang-tidy -p "$native" --quiet \
    --header-filter="$headers" --warnings-as-errors='*' --extra-arg=-Wno-unknown-warning-option 2>/dev/null

# clang finds mingw-w64's C headers by the target; the C++ library of the
# posix-threads compiler lives where clang does not look for it.
gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
sources_of "$win64" | xargs -P 2 -n 6 clang-tidy -p "$win64" --quiet \
    --header-filter="$headers" --warnings-as-errors='*' --extra-arg=-Wno-unknown-warning-option \
    --extra-arg-before=--target=x86_64-w64-mingw32 --extra-arg=-nostdinc++ \
    --extra-arg="-isystem$gcc_dir/include/c++" \
    --extra-arg="-isystem$gcc_dir/include/c++/x86_64-w64-mingw32" \
    --extra-arg="-isystem$gcc_dir/include/c++/backward" 2>/dev/null
echo "clang-format, include direction and clang-tidy: clean"
