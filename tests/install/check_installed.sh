#!/usr/bin/env bash
# Installs the game into a temporary prefix that this user may write to, as root may write to
# any, and plays it as a player would: the settings and the statistics must land in the
# player's own folder and survive a restart, and nothing may be written under the prefix.
# Usage: check_installed.sh BUILD_DIR INSTALLED_GAME_PROGRAM
set -euo pipefail
build=$1
harness=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
# The harness runs from the games folder, where the installed game runs from.
games=$(dirname "$(find "$prefix" -type f -name quorvel -perm -u+x | head -1)")
cp "$harness" "$games/installed_game"
mkdir -p "$work/home"
touch "$work/stamp"
sleep 1
as_player() {
  # A sanitizer build's leak report would be about Qt's caches in this driver, not the game.
  env -i PATH=/usr/bin:/bin HOME="$work/home" QT_QPA_PLATFORM=offscreen \
    SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 "$games/installed_game" "$@"
}
as_player play
as_player check

player=$work/home/.local/share/Quorvel
for file in RQN_ZQ.INI zq/stats.zq; do
  [[ -s $player/$file ]] || { echo "missing in the player's folder: $file"; exit 1; }
done
changed=$(find "$prefix" -newer "$work/stamp" | head -5)
[[ -z $changed ]] || { echo "written under the prefix: $changed"; exit 1; }
echo "settings and statistics kept in $player; nothing written under the prefix"
