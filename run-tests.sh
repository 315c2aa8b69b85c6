#!/usr/bin/env bash
# Sets up Quorvel (packages, build) and runs the whole test suite: every test (core, tool and
# game) under AddressSanitizer and UndefinedBehaviorSanitizer first, then every test of the
# normal build, then each fuzz target of fuzz/ for 20 seconds over its seed corpus.
set -euo pipefail
cd "$(dirname "$0")"
export QT_QPA_PLATFORM=offscreen
# Qt and fontconfig keep caches for the life of the process that LeakSanitizer would report;
# those libraries' leaks are suppressed, ours are not.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"

tools/setup.sh build-sanitize -DQUORVEL_CORE_ONLY=OFF -DQUORVEL_SANITIZE=ON -DQUORVEL_WERROR=ON -DQUORVEL_BENCH=OFF
echo "== all tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
# The package check builds its own release build without sanitizers: once, in the normal run.
ctest --test-dir build-sanitize --output-on-failure -LE package

tools/setup.sh build-test -DQUORVEL_WERROR=ON
echo "== all tests =="
ctest --test-dir build-test --output-on-failure

echo "== fuzz targets =="
tools/run-fuzz.sh 20
