#!/bin/sh
# The game read through the desktop's accessibility bus, the way a screen reader reads it.
# Usage: screenreader_bus.sh GAME_BINARY DATA_FOLDER
# Runs the game in its own D-Bus session with its own accessibility bus and its own Xvfb
# display, in a throw-away program folder, and has screenreader_bus.py read and play it.
# QUORVEL_BUS_DUMP=1 prints what the bus shows of the game instead of playing.
# QUORVEL_BUS_PLAY=1 plays the level to its end instead of giving up, working its words out of
# the dictionary from the tiles' names alone, and checks that each word found and the
# completion are told. A wrong guess among the dictionary's spellings costs moves, so about
# one game in three is lost: this is for a person to watch, not part of the suite.
# Exits 77 (skipped) when Xvfb, dbus-run-session, the accessibility bus or pyatspi is missing.
set -u
here=$(cd "$(dirname "$0")" && pwd)
game=$1
data=$2
skip() { echo "skipped: $1"; exit 77; }

command -v Xvfb >/dev/null || skip "Xvfb is not installed (package xvfb)"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed (package dbus-bin)"
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher=$candidate
done
[ -n "$launcher" ] || skip "the accessibility bus is not installed (package at-spi2-core)"
# Debian's own Python, which the python3-pyatspi package installs into.
python=/usr/bin/python3
"$python" -c "import pyatspi" 2>/dev/null || skip "pyatspi is not installed (package python3-pyatspi)"

if [ "${QUORVEL_IN_SESSION:-}" != 1 ]; then
  QUORVEL_IN_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

folder=$(mktemp -d)
display_file=$folder/display
cleanup() {
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null
  [ -n "${bus_pid:-}" ] && kill "$bus_pid" 2>/dev/null
  [ -n "${x_pid:-}" ] && kill "$x_pid" 2>/dev/null
  wait 2>/dev/null # the display is free again before the next run asks for one
  rm -rf "$folder"
}
trap cleanup EXIT

cp "$game" "$folder/" && cp -R "$data/zq" "$data/kbs" "$data/sound" "$folder/" || { echo "cannot copy the game"; exit 1; }

# Xvfb picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
x_pid=$!
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
[ -s "$display_file" ] || { echo "Xvfb did not start"; exit 1; }
display=$(tr -dc 0-9 <"$display_file")
# The display is ready once its socket is there and the server is still running.
for _ in $(seq 50); do [ -S "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
kill -0 "$x_pid" 2>/dev/null && [ -S "/tmp/.X11-unix/X$display" ] || { echo "Xvfb stopped"; exit 1; }
export DISPLAY=":$display"

"$launcher" --launch-immediately >/dev/null 2>&1 &
bus_pid=$!

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb QT_MEDIA_BACKEND=gstreamer \
  "$folder/$(basename "$game")" >"$folder/game.log" 2>&1 &
game_pid=$!

timeout 120 "$python" "$here/screenreader_bus.py" ${QUORVEL_BUS_DUMP:+--dump} ${QUORVEL_BUS_PLAY:+--play "$folder"}
result=$?
[ $result -eq 0 ] || [ $result -eq 77 ] || sed 's/^/game: /' "$folder/game.log"
exit $result
