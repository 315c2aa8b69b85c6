#!/usr/bin/env bash
# The package's check by hand, in a fresh Debian 12 minbase root (run as root; needs debootstrap
# and the network to the Debian mirror): apt installs the package, the game is played once as
# root and once as a new user under Xvfb and writes nothing where it is installed, apt removes it
# without a trace, and it installs again.
# Usage: fresh_root.sh PACKAGE.deb ROOT_DIR [MIRROR]
set -euo pipefail
package=$(readlink -f "$1")
root=$2
mirror=${3:-http://deb.debian.org/debian}

if [[ ! -x $root/usr/bin/apt-get ]]; then
  debootstrap --variant=minbase bookworm "$root" "$mirror"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT
rm -f "$root"/tmp/quorvel_*.deb
cp "$package" "$root/tmp/quorvel_test.deb"

cat >"$root/tmp/check.sh" <<'INSIDE'
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt=(apt-get -qq -y -o DPkg::Lock::Timeout=600)
step() { echo "== $*"; }
fail() { echo "FAILED: $*"; exit 1; }

step "apt-get install ./quorvel_test.deb (the package under test)"
"${apt[@]}" update
(cd /tmp && "${apt[@]}" install ./quorvel_test.deb >/dev/null)
dpkg-query -W quorvel
"${apt[@]}" install --no-install-recommends xvfb xauth xdotool >/dev/null
id player >/dev/null 2>&1 || useradd -m player

play() { # starts the game, closes the tip of the day, starts a game and moves, then File > Exit
  xvfb-run -a sh -c '
    /usr/games/quorvel 2>/dev/null & game=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "^Quorvel$" | head -1)
    tip=$(timeout 10 xdotool search --sync --onlyvisible --name "Tip of the Day" | head -1)
    [ -n "$tip" ] && xdotool windowfocus --sync "$tip" key Escape sleep 1
    xdotool windowfocus --sync "$window" key F2 sleep 2 key Next sleep 1
    xdotool mousemove --window "$window" 15 12 click 1 sleep 1 key Up Return
    for _ in $(seq 20); do kill -0 $game 2>/dev/null || exit 0; sleep 1; done
    kill $game; exit 1' || fail "the game did not close through File > Exit"
}
touch /tmp/stamp
sleep 1
step "played as root"
play
step "played as the new user player"
runuser -u player -- bash -c "$(declare -f fail play); play"
for home in /root /home/player; do
  ls -l "$home/.local/share/Quorvel/RQN_ZQ.INI" || fail "no settings in $home"
done
step "dpkg --verify quorvel"
dpkg --verify quorvel || fail "installed files changed"
step "new files under the install prefix"
written=$(find /usr/games /usr/share/games /usr/share/doc/quorvel -newer /tmp/stamp)
[[ -z $written ]] || fail "written where the game is installed: $written"
echo none

step "apt-get remove quorvel"
dpkg-query -L quorvel | sort >/tmp/owned
"${apt[@]}" remove quorvel >/dev/null
left=()
while read -r path; do
  [[ -e $path && ! -d $path ]] && left+=("$path")
done </tmp/owned
for dir in /usr/share/games/quorvel /usr/share/doc/quorvel; do
  [[ -e $dir ]] && left+=("$dir")
done
((${#left[@]} == 0)) || fail "left behind: ${left[*]}"
echo "nothing of the package left"

step "installed again"
(cd /tmp && "${apt[@]}" install ./quorvel_test.deb >/dev/null)
dpkg --verify quorvel && dpkg-query -W -f='${Package} ${Version} ${db:Status-Status}\n' quorvel
INSIDE
chroot "$root" bash /tmp/check.sh
