#!/bin/sh
# Builds the benchmarks (Release) and runs them; each goal is a ratio against
# a baseline in the same binary. The native programs use Google Benchmark;
# the cache purge and a camera's folder list are measured in the 64-bit
# Windows build under Wine, in a prefix of that build tree.
# Usage: tools/run-benchmarks.sh [benchmark options]
set -eu
cd "$(dirname "$0")/.."
. tools/setup/packages.sh
# shellcheck disable=SC2086
tools/setup/ensure-packages.sh $BUILD_PACKAGES $BENCH_PACKAGES $WINE_PACKAGES
cmake --preset bench >/dev/null
cmake --build --preset bench
build/bench/bench/camfolio_bench "$@"
build/bench/bench/camfolio_directory_bench "$@"

cmake --preset bench-win64 >/dev/null
cmake --build --preset bench-win64 --target camfolio_purge_bench camfolio_wia_dirlist_bench
tools/wine/prepare.sh build/bench-win64
tools/wine/run-in-wine.sh build/bench-win64 build/bench-win64/bench/camfolio_purge_bench.exe
tools/wine/run-in-wine.sh build/bench-win64 build/bench-win64/bench/camfolio_wia_dirlist_bench.exe
