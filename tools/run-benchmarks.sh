#!/bin/sh
# Builds the benchmarks (Release) and runs them; each goal is a ratio against
# a baseline in the same binary.
# Usage: tools/run-benchmarks.sh [benchmark options]
set -eu
cd "$(dirname "$0")/.."
. tools/setup/packages.sh
# shellcheck disable=SC2086
tools/setup/ensure-packages.sh $BUILD_PACKAGES $BENCH_PACKAGES
cmake --preset bench >/dev/null
cmake --build --preset bench
build/bench/bench/camfolio_bench "$@"
