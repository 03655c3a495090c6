#!/bin/sh
# clang-format over every source of the project, and clang-tidy over the
# sources of the native build (Windows-only files are not compiled there).
# Usage: tools/lint.sh BUILD_DIR   (a native build with compile_commands.json)
set -eu
cd "$(dirname "$0")/.."
build=$1
# shellcheck disable=SC2046
clang-format --dry-run --Werror $(git ls-files '*.cpp' '*.h')
root=$(pwd)
python3 - "$build/compile_commands.json" "$root" >"$build/lint-files.txt" <<'PY'
import json, os, subprocess, sys
commands, root = sys.argv[1], sys.argv[2]
tracked = set(subprocess.run(["git", "ls-files", "*.cpp"], capture_output=True, text=True,
                             check=True).stdout.split())
for entry in json.load(open(commands)):
    path = os.path.relpath(os.path.join(entry["directory"], entry["file"]), root)
    if path in tracked:
        print(path)
PY
sort -u "$build/lint-files.txt" | xargs -P 2 -n 6 clang-tidy -p "$build" --quiet \
    --warnings-as-errors='*' 2>/dev/null
echo "clang-format and clang-tidy: clean"
