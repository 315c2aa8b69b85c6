#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang and runs each for a while over a copy of its
# seed corpus (fuzz/corpus/NAME); a crash, a leak or a sanitizer report fails the run.
# Usage: tools/run-fuzz.sh [SECONDS_PER_TARGET]   (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}

tools/setup.sh fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for source in fuzz/*.cpp; do
  name=$(basename "$source" .cpp)
  mkdir -p "$work/$name"
  if [[ -d fuzz/corpus/$name ]]; then cp -r "fuzz/corpus/$name/." "$work/$name/"; fi
  echo "== fuzzing $name for ${seconds}s =="
  (cd "$work" && "$OLDPWD/build-fuzz/bin/$name" -max_total_time="$seconds" -rss_limit_mb=2048 \
     -print_final_stats=1 "$work/$name" 2>"$work/$name.log") || {
    tail -n 60 "$work/$name.log" >&2
    echo "Fuzz target $name failed" >&2
    exit 1
  }
  grep -E "^stat::number_of_executed_units" "$work/$name.log" || true
done
