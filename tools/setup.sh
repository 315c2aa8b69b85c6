#!/usr/bin/env bash
# Installs what Quorvel needs from Debian packages (when missing), then configures and builds
# one of the presets of CMakePresets.json.
# Usage: tools/setup.sh PRESET [--target TARGET...] [extra cmake arguments...]
#   game      the game and the tool, optimised, in build/
#   quick     every test of the normal build, in build-test/
#   sanitize  every test under AddressSanitizer and UndefinedBehaviorSanitizer, in build-sanitize/
#   fuzz      the libFuzzer targets of fuzz/ (needs clang and its runtime), in build-fuzz/
#   bench     the benchmarks, optimised, in build/
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libsdl2-mixer-dev
  libcli11-dev nlohmann-json3-dev libgtest-dev libbenchmark-dev
  python3 fonts-dejavu-core desktop-file-utils appstream
)

preset=$1
shift
[[ $preset == fuzz ]] && packages+=(clang libclang-rt-14-dev)

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
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

targets=()
while [[ ${1:-} == --target ]]; do
  targets+=(--target "$2")
  shift 2
done
cmake --preset "$preset" "$@" >/dev/null
cmake --build --preset "$preset" "${targets[@]}"
