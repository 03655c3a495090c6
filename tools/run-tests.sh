#!/bin/sh
# Runs every test: formatting and lint checks, the native build with
# AddressSanitizer and UBSan, the fuzz targets for a short while, the 64-bit
# Windows build under Wine (with the i686 builder as it ships) and the 32-bit
# build's builder tests under Wine and import check.
# Usage: tools/run-tests.sh
set -eu
cd "$(dirname "$0")/.."
. tools/setup/packages.sh
# shellcheck disable=SC2086
tools/setup/ensure-packages.sh $BUILD_PACKAGES $WINE_PACKAGES $TEST_PACKAGES $HTTP_TEST_PACKAGES \
    $INSTALLER_PACKAGES

step() { printf '\n== %s\n' "$*"; }

step "Native build (ASan + UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2

step "Code style and static checks"
cmake --preset win64 >/dev/null
tools/lint.sh build/native build/win64

step "Fuzzing"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz -j2

step "Windows x86_64 under Wine"
cmake --preset win64 >/dev/null
cmake --build --preset win64
tools/wine/prepare.sh build/win64
ctest --preset win64 -E '^win32_installer_tests$'

step "Windows i686 under Wine (the shipped builder, the import check)"
cmake --preset win32 >/dev/null
cmake --build --preset win32
tools/wine/prepare.sh build/win32
ctest --preset win32

# The setup program packs the 32-bit builder, so it comes after that build.
step "Setup program under Wine"
cmake --build --preset win64 --target installer
ctest --preset win64 -R '^win32_installer_tests$'

step "All tests passed"
