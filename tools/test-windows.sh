#!/usr/bin/env bash
# The Windows step of the thorough suite: the core, quorvel-tool.exe and the core tests built
# for Windows with MinGW-w64 (preset windows, in build-windows/), then run under Wine:
#   - every core test in one Wine process, its XML report read: the step fails unless every
#     test of the program ran and passed or was skipped with a reason;
#   - the scripted games of tests/recordings/ through quorvel-tool.exe, byte for byte;
#   - every shipped dictionary and the shipped levels, dumped by quorvel-tool.exe, the same
#     bytes as the Linux tool gives (build-test/, built here when missing).
# Wine needs no display for console programs; its prefix lives in build-windows/wineprefix.
# Usage: tools/test-windows.sh [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

tools/setup.sh windows "$@"
tools/setup.sh quick --target quorvel-tool >/dev/null
build=$PWD/build-windows
linuxTool=$PWD/build-test/bin/quorvel-tool

export WINEPREFIX=$build/wineprefix WINEDEBUG=-all
# No Mono or Gecko for .NET and web pages: they would be fetched from the network.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset GTEST_FILTER GTEST_OUTPUT GTEST_ALSO_RUN_DISABLED_TESTS
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "== a Wine prefix in $WINEPREFIX =="
  wineboot --init >/dev/null 2>&1
fi
# One Wine server for the whole step, so each program starts in half a second, not three
# (a server still running from the set-up is replaced by a persistent one).
wineserver -k 2>/dev/null || true
wineserver -p </dev/null >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT

echo "== the core tests for Windows, under Wine =="
report=$build/core-tests.xml
rm -f "$report"
# Drive Z: is this machine's root under Wine.
wine "$build/bin/quorvel_core_tests.exe" --gtest_output="xml:Z:$report" --gtest_brief=1 || status=$?
listed=$(wine "$build/bin/quorvel_core_tests.exe" --gtest_list_tests | tr -d '\r' | grep -c '^  ')
python3 - "$report" "$listed" "${status:-0}" <<'PYTHON'
import sys, xml.etree.ElementTree as ET
report, listed, status = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
try:
    root = ET.parse(report).getroot()
except (OSError, ET.ParseError) as error:
    sys.exit(f"no test report from the core tests (exit status {status}): {error}")
cases = root.findall(".//testcase")
ran = [c for c in cases if c.get("status") == "run"]
failed = [c for c in ran if c.find("failure") is not None or c.find("error") is not None]
skipped = [c for c in ran if c.get("result") == "skipped" or c.find("skipped") is not None]
passed = len(ran) - len(failed) - len(skipped)
print(f"core tests under Wine: {len(ran)} of {listed} run, {passed} passed, "
      f"{len(skipped)} skipped, {len(failed)} failed (exit status {status})")
for case in skipped:
    why = case.find("skipped")
    reason = why.get("message", "") if why is not None else ""
    reason = reason.strip().split("\n", 1)[-1]  # after the file:line of the skip
    print(f"  skipped {case.get('classname')}.{case.get('name')}: {reason}")
for case in failed:
    print(f"  FAILED {case.get('classname')}.{case.get('name')}")
# Nothing counts as passed without running: every listed test ran, none failed, and the
# program said so itself.
if listed < 100 or len(ran) != listed or failed or status != 0:
    sys.exit("the core tests did not all run and pass under Wine")
PYTHON

echo "== the recordings through quorvel-tool.exe =="
python3 tests/recordings/run_recordings.py "$build/bin/quorvel-tool.exe" --emulator wine

echo "== shipped dictionaries and levels read as on Linux =="
compared=0
for dictionary in "$build"/bin/kbs/*.dic; do
  name=$(basename "$dictionary")
  windows=$(wine "$build/bin/quorvel-tool.exe" dic dump "$dictionary" | sha256sum)
  linux=$("$linuxTool" dic dump "$PWD/build-test/bin/kbs/$name" | sha256sum)
  [[ $windows == "$linux" ]] || { echo "kbs/$name reads differently on Windows" >&2; exit 1; }
  compared=$((compared + 1))
done
# The levels as read, then every level played once at both handicaps from Common Words.
for folder in "$build/bin" "$PWD/build-test/bin"; do
  tool=("$linuxTool")
  [[ $folder == "$build/bin" ]] && tool=(wine "$build/bin/quorvel-tool.exe")
  { "${tool[@]}" layouts check "$folder/zq/formats"
    "${tool[@]}" layouts par "$folder/zq/formats" --seeds 1 --root "$folder"; } | sha256sum
done | uniq | (($(wc -l) == 1)) || { echo "zq/formats reads differently on Windows" >&2; exit 1; }
((compared > 0)) || { echo "no shipped dictionary was compared" >&2; exit 1; }
echo "$compared dictionaries and zq/formats: the same bytes as on Linux"
echo "== the Windows step took $((SECONDS - started)) s =="
