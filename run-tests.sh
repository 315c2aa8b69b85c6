#!/usr/bin/env bash
# Sets up Quorvel (packages, build) and runs the whole test suite: the core under
# AddressSanitizer and UndefinedBehaviorSanitizer first, then every test of the normal build.
set -euo pipefail
cd "$(dirname "$0")"
export QT_QPA_PLATFORM=offscreen

tools/setup.sh build-sanitize -DQUORVEL_CORE_ONLY=ON -DQUORVEL_SANITIZE=ON -DQUORVEL_WERROR=ON
echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
ctest --test-dir build-sanitize --output-on-failure

tools/setup.sh build-test -DQUORVEL_WERROR=ON
echo "== all tests =="
ctest --test-dir build-test --output-on-failure
