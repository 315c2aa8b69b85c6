#!/usr/bin/env bash
# Installs the game into a temporary read-only prefix and plays it as an ordinary user: the
# settings and the statistics must land in the player's own folder and survive a restart, and
# nothing may be written under the prefix.
# Usage: check_installed.sh BUILD_DIR INSTALLED_GAME_PROGRAM
set -euo pipefail
build=$1
harness=$2
skip() { echo "skipped: $*"; exit 77; }

work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
program=$(dirname "$(readlink -f "$prefix/bin/quorvel")")
cp "$harness" "$work/installed_game"
mkdir -p "$work/home"
chmod -R a-w "$prefix"
chmod a+rx "$work" "$work/installed_game"

run=()
if [[ $(id -u) -eq 0 ]]; then
  # Root writes through read-only permissions, so the game runs as an unprivileged user.
  command -v setpriv >/dev/null || skip "setpriv is missing and root ignores read-only folders"
  setpriv --reuid=nobody --regid=nogroup --clear-groups true 2>/dev/null ||
    skip "cannot switch to the user nobody"
  chown nobody "$work/home"
  run=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
touch "$work/stamp"
sleep 1
as_player() {
  # A sanitizer build's leak report would be about Qt's caches in this driver, not the game.
  "${run[@]}" env -i PATH=/usr/bin:/bin HOME="$work/home" QT_QPA_PLATFORM=offscreen \
    SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 "$work/installed_game" "$@" "$program"
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
