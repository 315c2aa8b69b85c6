#!/usr/bin/env bash
# Start-up time to the first paint and peak memory of the game, as it starts (its audio waits
# for the player's first action, which never comes here) and with a silent audio back end handed
# in from the start ("no-audio"), and of a bare Qt window, alternated in one run over one copy of the staged data; then the
# game's ratio to the bare window, which cancels much of what other work on the machine adds.
# When a GTK peer game is installed (sgt-puzzles' Sixteen, a board of shifting rows and columns)
# it runs in the same rounds, timed from the outside to its first mapped window, beside the bare
# window and the game timed the same way, so that the three compare like for like.
# Each round also times the first new puzzle: F2 half a second after the first paint, to the
# board drawn ("f2"). A second build folder, when given, runs its game in the same rounds too
# ("before-" lines), to compare two versions on an equally loaded machine.
# Needs a display (DISPLAY, or run it under xvfb-run -a):
#   bench/app/startup.sh BUILD_DIR [RUNS] [OTHER_BUILD_DIR]
set -euo pipefail
probe=$1/bin/quorvel_startup_probe
bare=$1/bin/quorvel_bare_window
timer=$1/bin/quorvel_map_timer
runs=${2:-15}
before=${3:+$3/bin/quorvel_startup_probe}
peer=/usr/games/sgt-sixteen
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp -r "$1"/bin/zq "$1"/bin/kbs "$1"/bin/sound "$folder"/
# No tip of the day and no news prompt: nothing modal in the way of the first paint.
printf '[Options]\nTOTD=0\nInstallDate=46363\nlnd=46363\nlnu=46363\n' >"$folder"/RQN_ZQ.INI
if [[ ! -x $peer ]]; then
  echo "GTK peer: not measured ($peer is missing; apt-get install sgt-puzzles)"
  peer=
elif [[ ! -x $timer ]]; then
  echo "GTK peer: not measured (no $timer: the build found no xcb)"
  peer=
fi
for ((i = 0; i < runs; i++)); do
  "$bare" 2>/dev/null
  "$probe" --no-audio "$folder" 2>/dev/null
  "$probe" "$folder" 2>/dev/null
  "$probe" --f2 "$folder" 2>/dev/null
  # F2 left a puzzle in play, which the game keeps to resume: every start here starts afresh.
  rm -f "$folder"/zq/saved.txt
  if [[ -n $before ]]; then
    "$before" --no-audio "$folder" 2>/dev/null | sed 's/^/before-/'
    "$before" "$folder" 2>/dev/null | sed 's/^/before-/'
    "$before" --f2 "$folder" 2>/dev/null | sed 's/^/before-/'
    rm -f "$folder"/zq/saved.txt
  fi
  if [[ -n $peer ]]; then
    "$timer" gtk "$peer" 2>/dev/null || true
    "$timer" bare-map "$bare" 2>/dev/null || true
    "$timer" game-map "$probe" "$folder" 2>/dev/null || true
  fi
done | sort -k1,1 -k2,2n | awk '
  function median(values, count,    sorted, i, j, swap) {
    for (i = 1; i <= count; i++) sorted[i] = values[i]
    for (i = 2; i <= count; i++)
      for (j = i; j > 1 && sorted[j - 1] > sorted[j]; j--) {
        swap = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = swap
      }
    return count % 2 ? sorted[(count + 1) / 2] : (sorted[count / 2] + sorted[count / 2 + 1]) / 2
  }
  function ratio(k, base) {
    if ((k in n) && (base in n))
      printf "%-14s / %-8s: time %.2f x, memory %+.1f MB\n", k, base, medMs[k] / medMs[base],
             medMb[k] - medMb[base]
  }
  # Lines arrive sorted by label, then by time: the first and last of a label are its range.
  { k = $1; n[k]++; ms[k, n[k]] = $2; kb[k, n[k]] = $3 }
  END {
    for (k in n) {
      for (i = 1; i <= n[k]; i++) { t[i] = ms[k, i]; m[i] = kb[k, i] }
      medMs[k] = median(t, n[k]); medMb[k] = median(m, n[k]) / 1024
      lowMb = highMb = m[1]
      for (i = 2; i <= n[k]; i++) { if (m[i] < lowMb) lowMb = m[i]; if (m[i] > highMb) highMb = m[i] }
      printf "%-14s %s: median %.1f ms (%.1f-%.1f); peak memory: median %.1f MB (%.1f-%.1f) (%d runs)\n",
             k, k ~ /map$|^gtk$/ ? "first map" : k ~ /f2$/ ? "F2 to board" : "first paint", medMs[k], t[1], t[n[k]], medMb[k],
             lowMb / 1024, highMb / 1024, n[k]
    }
    for (k in n) if (k != "bare" && k !~ /map$|^gtk$|f2$/) ratio(k, "bare")
    ratio("gtk", "bare-map"); ratio("game-map", "bare-map"); ratio("game-map", "gtk")
    if ("before-audio" in n) { ratio("audio", "before-audio"); ratio("no-audio", "before-no-audio")
                            ratio("f2", "before-f2") }
  }'
