#!/usr/bin/env bash
# Sets up Quorvel (packages, build) and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh game
exec build/bin/quorvel "$@"
