#!/bin/sh
# Fails when a Windows binary imports a DLL that is not part of Windows
# (for example libstdc++-6.dll, libgcc_s_*.dll or libwinpthread-1.dll).
# Usage: check-imports.sh OBJDUMP BINARY...
set -eu
objdump=$1
shift
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|uxtheme|gdiplus|shlwapi|version|ws2_32|wsock32|wininet|mpr|ntdll|msvcrt|setupapi|wiaguid|rpcrt4|urlmon|msimg32|userenv|cfgmgr32|api-ms-win-[a-z0-9-]+)\.dll$'
status=0
for binary in "$@"; do
    imports=$("$objdump" -p "$binary" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
    if [ -z "$imports" ]; then
        echo "$binary: no import table found" >&2
        status=1
        continue
    fi
    for dll in $imports; do
        if ! echo "$dll" | grep -Eq "$allowed"; then
            echo "$binary imports $dll, which is not a Windows system DLL" >&2
            status=1
        fi
    done
    echo "$binary: $(echo $imports | tr '\n' ' ')"
done
exit $status
