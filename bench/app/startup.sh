#!/usr/bin/env bash
# Start-up time to the first paint and peak memory, with and without the game's audio,
# alternated in one run over one copy of the staged data. Needs a display (DISPLAY, or run it
# under xvfb-run -a):  bench/app/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
probe=$1/bin/quorvel_startup_probe
runs=${2:-15}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp -r "$1"/bin/zq "$1"/bin/kbs "$1"/bin/sound "$folder"/
# No tip of the day and no news prompt: nothing modal in the way of the first paint.
printf '[Options]\nTOTD=0\nInstallDate=46363\nlnd=46363\nlnu=46363\n' >"$folder"/RQN_ZQ.INI
for ((i = 0; i < runs; i++)); do
  "$probe" --no-audio "$folder" 2>/dev/null
  "$probe" "$folder" 2>/dev/null
done | sort -k1,1 -k2,2n | awk '
  { ms[$1, ++n[$1]] = $2; kb[$1] += $3 }
  END { for (k in n) printf "%-8s first paint: median %.1f ms; peak memory: mean %.1f MB (%d runs)\n",
        k, ms[k, int((n[k] + 1) / 2)], kb[k] / n[k] / 1024, n[k] }'
