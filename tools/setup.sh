#!/usr/bin/env bash
# Installs what Quorvel needs from Debian packages (when missing), then configures and builds.
# file, dpkg-dev and lintian are for making and checking the Debian package (tools/make-package.sh).
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
  file dpkg-dev lintian
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
