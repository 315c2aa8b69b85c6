#!/usr/bin/env bash
# Installs what Quorvel needs from Debian packages (when missing), then configures and builds.
# Usage: tools/setup.sh BUILD_DIR [--fuzz] [--target TARGET] [extra cmake arguments...]
# --fuzz builds only the libFuzzer targets of fuzz/, which need clang and its runtime.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-multimedia-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libcli11-dev nlohmann-json3-dev libgtest-dev libbenchmark-dev
  fonts-dejavu-core desktop-file-utils appstream
  # The screen reader tests: Qt's accessibility switch offscreen, and the accessibility bus.
  qt6-base-private-dev xvfb dbus-bin at-spi2-core python3-pyatspi
)

build_dir=$1
shift
fuzz=0
if [[ ${1:-} == --fuzz ]]; then
  fuzz=1
  packages+=(clang libclang-rt-14-dev)
  shift
fi

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

target=()
if [[ ${1:-} == --target ]]; then
  target=(--target "$2")
  shift 2
fi
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
if ((fuzz)); then
  mapfile -t fuzz_targets < <(for f in fuzz/*.cpp; do basename "$f" .cpp; done)
  target=(--target "${fuzz_targets[@]}")
fi
cmake --build "$build_dir" -j "$(nproc)" "${target[@]}"
