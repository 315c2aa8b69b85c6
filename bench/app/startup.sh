#!/usr/bin/env bash
# Start-up time to the first paint and peak memory of the game, with and without its audio,
# and of a bare Qt window, alternated in one run over one copy of the staged data; then the
# game's ratio to the bare window, which cancels much of what other work on the machine adds.
# Needs a display (DISPLAY, or run it under xvfb-run -a):  bench/app/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
probe=$1/bin/quorvel_startup_probe
bare=$1/bin/quorvel_bare_window
runs=${2:-15}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp -r "$1"/bin/zq "$1"/bin/kbs "$1"/bin/sound "$folder"/
# No tip of the day and no news prompt: nothing modal in the way of the first paint.
printf '[Options]\nTOTD=0\nInstallDate=46363\nlnd=46363\nlnu=46363\n' >"$folder"/RQN_ZQ.INI
for ((i = 0; i < runs; i++)); do
  "$bare" 2>/dev/null
  "$probe" --no-audio "$folder" 2>/dev/null
  "$probe" "$folder" 2>/dev/null
done | sort -k1,1 -k2,2n | awk '
  function median(values, count,    sorted, i, j, swap) {
    for (i = 1; i <= count; i++) sorted[i] = values[i]
    for (i = 2; i <= count; i++)
      for (j = i; j > 1 && sorted[j - 1] > sorted[j]; j--) {
        swap = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = swap
      }
    return count % 2 ? sorted[(count + 1) / 2] : (sorted[count / 2] + sorted[count / 2 + 1]) / 2
  }
  { k = $1; n[k]++; ms[k, n[k]] = $2; kb[k, n[k]] = $3 }
  END {
    for (k in n) {
      for (i = 1; i <= n[k]; i++) { t[i] = ms[k, i]; m[i] = kb[k, i] }
      medMs[k] = median(t, n[k]); medMb[k] = median(m, n[k]) / 1024
      printf "%-8s first paint: median %.1f ms; peak memory: median %.1f MB (%d runs)\n",
             k, medMs[k], medMb[k], n[k]
    }
    if ("bare" in n)
      for (k in n) if (k != "bare")
        printf "%-8s / bare: time %.2f x, memory %+.1f MB\n", k, medMs[k] / medMs["bare"],
               medMb[k] - medMb["bare"]
  }'
