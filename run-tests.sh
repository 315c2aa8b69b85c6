#!/usr/bin/env bash
# Sets up Quorvel (packages, build) and runs its tests.
#   ./run-tests.sh             every test (core, tool, data scripts, game) of the normal build
#   ./run-tests.sh --thorough  the same tests under AddressSanitizer and UndefinedBehaviorSanitizer,
#                              then in the normal build, then the Debian package built and checked
#                              with lintian, then each fuzz target of fuzz/ for 20 s, then the core
#                              and the tool built for Windows and tested under Wine
set -euo pipefail
cd "$(dirname "$0")"
export QT_QPA_PLATFORM=offscreen

thorough=0
case "${1:-}" in
  "") ;;
  --thorough) thorough=1 ;;
  *) echo "usage: ./run-tests.sh [--thorough]" >&2; exit 2 ;;
esac

if ((thorough)); then
  # Qt and fontconfig keep caches for the life of the process that LeakSanitizer would report;
  # those libraries' leaks are suppressed, ours are not.
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
  tools/setup.sh sanitize
  echo "== all tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
  ctest --preset sanitize -j "$(nproc)" -LE package
fi

tools/setup.sh quick
echo "== all tests =="
ctest --preset quick -j "$(nproc)" -LE package

if ((thorough)); then
  echo "== the Debian package =="
  ctest --preset quick -L package
  echo "== fuzz targets =="
  tools/run-fuzz.sh 20
  echo "== Windows: the core and quorvel-tool.exe under Wine =="
  tools/test-windows.sh
fi
