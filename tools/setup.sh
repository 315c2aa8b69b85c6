#!/usr/bin/env bash
# Installs what Quorvel needs from Debian packages (when missing), then configures and builds
# one of the presets of CMakePresets.json.
# Usage: tools/setup.sh PRESET [--target TARGET...] [extra cmake arguments...]
#   game      the game and the tool, optimised, in build/
#   quick     every test of the normal build, in build-test/
#   sanitize  every test under AddressSanitizer and UndefinedBehaviorSanitizer, in build-sanitize/
#   fuzz      the libFuzzer targets of fuzz/ (needs clang and its runtime), in build-fuzz/
#   bench     the benchmarks, optimised, in build/
#   windows   the core, quorvel-tool.exe and the core tests for Windows (MinGW-w64, GoogleTest
#             built from Debian's source), in build-windows/; tools/test-windows.sh runs them
#             under Wine
# file, dpkg-dev and lintian are for making and checking the Debian package (tools/make-package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libsdl2-mixer-dev
  libcli11-dev nlohmann-json3-dev libgtest-dev libbenchmark-dev
  python3 fonts-dejavu-core desktop-file-utils appstream
  file dpkg-dev lintian
  # The screen reader tests: Qt's accessibility switch offscreen, and the accessibility bus.
  qt6-base-private-dev xvfb dbus-bin at-spi2-core python3-pyatspi
  # The test against the real screen reader: Orca speaking through speech-dispatcher, whose
  # dummy output needs no sound card; xdotool types the keys.
  orca speech-dispatcher xdotool
)

preset=$1
shift
[[ $preset == fuzz ]] && packages+=(clang libclang-rt-14-dev)
[[ $preset == windows ]] && packages+=(mingw-w64 g++-mingw-w64-x86-64-posix wine wine64 googletest)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then
    if command -v sudo >/dev/null; then sudo="sudo"; else
      echo "Quorvel needs these Debian packages, and installing them needs root: ${missing[*]}" >&2
      exit 1
    fi
  fi
  # Another apt or dpkg at work (an unattended upgrade, a second set-up) holds the lock: wait.
  # The timeout covers dpkg's lock; the package lists' lock has none, so update tries again.
  apt=(env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600)
  for attempt in $(seq 30); do
    $sudo "${apt[@]}" update -qq && break
    ((attempt < 30)) || exit 1
    echo "apt-get update failed (is another apt at work?): trying again in 20 seconds" >&2
    sleep 20
  done
  $sudo "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi

targets=()
while [[ ${1:-} == --target ]]; do
  targets+=(--target "$2")
  shift 2
done
cmake --preset "$preset" "$@" >/dev/null
cmake --build --preset "$preset" "${targets[@]}"
