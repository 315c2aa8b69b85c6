#!/usr/bin/env bash
# Builds the Debian package in a build folder of its own, configured for a release (-O2 -g as
# Debian builds; the package strips the symbols) without tests or benchmarks, so that cpack
# builds only what the package ships. Prints the package's path as its last line.
# Usage: tools/make-package.sh BUILD_DIR [extra cmake arguments...]
set -euo pipefail
source=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: tools/make-package.sh BUILD_DIR [extra cmake arguments...]}
shift

generator=()
if [[ ! -f $build/CMakeCache.txt ]] && command -v ninja >/dev/null; then
  generator=(-G Ninja)
fi
cmake -S "$source" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBUILD_TESTING=OFF -DQUORVEL_BENCH=OFF -DQUORVEL_HARDENING=ON "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/quorvel_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/quorvel_*.deb
