#!/bin/sh
# The game heard through Orca itself: what the screen reader sends to speech while a player
# plays by keyboard.
# Usage: screenreader_orca.sh GAME_BINARY DATA_FOLDER
# Runs the game and Orca in their own D-Bus session, accessibility bus and Xvfb display, with
# speech-dispatcher speaking through its generic module into a file (no sound card), types
# keys with xdotool and checks what reached speech (screenreader_orca.py).
# QUORVEL_ORCA_KEEP=FOLDER keeps the spoken lines and Orca's debug log in FOLDER.
# QUORVEL_ORCA_PLAY=1 leaves the game and Orca running for 600 s for a person to play with
# xdotool (DISPLAY and the spoken file are printed).
# Exits 77 (skipped) when Orca, speech-dispatcher, xdotool, Xvfb, dbus-run-session, the
# accessibility bus or pyatspi is missing.
set -u
here=$(cd "$(dirname "$0")" && pwd)
game=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
data=$2
tool=$(dirname "$game")/quorvel-tool # plays the board first, to know its words and its banner
skip() { echo "skipped: $1"; exit 77; }

command -v orca >/dev/null || skip "Orca is not installed (package orca)"
command -v speech-dispatcher >/dev/null || skip "speech-dispatcher is not installed (package speech-dispatcher)"
[ -x /usr/lib/speech-dispatcher-modules/sd_generic ] || skip "speech-dispatcher's generic module is missing"
command -v xdotool >/dev/null || skip "xdotool is not installed (package xdotool)"
command -v Xvfb >/dev/null || skip "Xvfb is not installed (package xvfb)"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed (package dbus-bin)"
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher=$candidate
done
[ -n "$launcher" ] || skip "the accessibility bus is not installed (package at-spi2-core)"
python=/usr/bin/python3
"$python" -c "import pyatspi" 2>/dev/null || skip "pyatspi is not installed (package python3-pyatspi)"

if [ "${QUORVEL_IN_SESSION:-}" != 1 ]; then
  QUORVEL_IN_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

folder=$(mktemp -d)
display_file=$folder/display
cleanup() {
  for pid in ${sleep_pid:-} ${game_pid:-} ${orca_pid:-} ${speech_pid:-} ${bus_pid:-} ${x_pid:-}; do
    kill "$pid" 2>/dev/null
  done
  # The accessibility bus's own daemon outlives its launcher.
  for pid in $(pgrep -f "$folder/run/at-spi" 2>/dev/null); do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  if [ -n "${QUORVEL_ORCA_KEEP:-}" ]; then
    mkdir -p "$QUORVEL_ORCA_KEEP" && cp "$folder/spoken.txt" "$folder/orca.log" "$QUORVEL_ORCA_KEEP/" 2>/dev/null
  fi
  rm -rf "$folder"
}
trap cleanup EXIT
trap "exit 1" HUP INT TERM

mkdir -p "$folder/game" "$folder/home" "$folder/config/speech-dispatcher/modules" "$folder/run"
cp "$game" "$folder/game/" && cp -R "$data/zq" "$data/kbs" "$data/sound" "$folder/game/" || { echo "cannot copy the game"; exit 1; }
export HOME="$folder/home" XDG_CONFIG_HOME="$folder/config" XDG_DATA_HOME="$folder/home/data" \
  XDG_RUNTIME_DIR="$folder/run" XDG_CACHE_HOME="$folder/home/cache"
chmod 700 "$folder/run"

# Speech goes through speech-dispatcher's generic module into a file, one message a line.
spoken=$folder/spoken.txt
: >"$spoken"
cat >"$folder/config/speech-dispatcher/modules/file.conf" <<CONF
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >> $spoken"
GenericLanguage "en" "en" "utf-8"
AddVoice "en" "MALE1" "file"
CONF
cat >"$folder/config/speech-dispatcher/speechd.conf" <<CONF
AddModule "file" "sd_generic" "file.conf"
DefaultModule file
# No sound card: libao's null driver (see ~/.libao below) takes what the module would play.
AudioOutputMethod "libao"
DefaultLanguage "en"
LogDir "$folder"
Timeout 0
CONF

echo "default_driver=null" >"$HOME/.libao"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
x_pid=$!
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
[ -s "$display_file" ] || { echo "Xvfb did not start"; exit 1; }
display=$(tr -dc 0-9 <"$display_file")
for _ in $(seq 50); do [ -S "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
kill -0 "$x_pid" 2>/dev/null && [ -S "/tmp/.X11-unix/X$display" ] || { echo "Xvfb stopped"; exit 1; }
export DISPLAY=":$display"

"$launcher" --launch-immediately >/dev/null 2>&1 &
bus_pid=$!
speech-dispatcher --run-single --config-dir "$folder/config/speech-dispatcher" --timeout 0 \
  --communication-method unix_socket --socket-path "$folder/run/speechd.sock" >"$folder/speechd.out" 2>&1 &
speech_pid=$!
export SPEECHD_ADDRESS="unix_socket:$folder/run/speechd.sock"
for _ in $(seq 50); do [ -S "$folder/run/speechd.sock" ] && break; sleep 0.1; done

orca --replace --debug-file="$folder/orca.log" >"$folder/orca.out" 2>&1 &
orca_pid=$!

cd "$folder/game" || exit 1
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
  "./$(basename "$game")" >"$folder/game.log" 2>&1 &
game_pid=$!

if [ -n "${QUORVEL_ORCA_PLAY:-}" ]; then
  echo "DISPLAY=$DISPLAY spoken=$spoken orca_log=$folder/orca.log game_folder=$folder/game"
  sleep 600 &
  sleep_pid=$!
  wait $sleep_pid
  exit 0
fi

timeout 170 "$python" "$here/screenreader_orca.py" "$spoken" "$folder/orca.log" "$tool"
result=$?
[ $result -eq 0 ] || [ $result -eq 77 ] || { sed 's/^/game: /' "$folder/game.log"; sed 's/^/orca: /' "$folder/orca.out" | tail -20; }
exit $result
