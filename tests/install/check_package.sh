#!/usr/bin/env bash
# Builds the Debian package in its own build folder and checks it as Debian would: lintian
# finds no error and no warning, every remark it still makes is explained in the README's
# packaging section, and the installed size stays under 8 MiB.
# Usage: check_package.sh SOURCE_DIR BUILD_DIR [extra cmake arguments...]
set -euo pipefail
source=$1
build=$2
shift 2
skip() { echo "skipped: $*"; exit 77; }
for program in lintian dpkg-deb dpkg-shlibdeps file; do
  command -v "$program" >/dev/null || skip "$program is not installed (tools/setup.sh installs it)"
done

package=$("$source/tools/make-package.sh" "$build" "$@" | tail -1)
echo "package: $package"

size=$(dpkg-deb --field "$package" Installed-Size)
echo "Installed-Size: $size KiB"
((size < 8 * 1024)) || { echo "installed size over 8 MiB"; exit 1; }

# Root gets a reminder on standard error that lintian needs no privileges; the tags are on
# standard output.
report=$(lintian --fail-on error,warning --display-info --tag-display-limit 0 "$package" 2>/dev/null) ||
  { echo "$report"; echo "lintian reports errors or warnings"; exit 1; }
[[ -z $report ]] || echo "$report"
status=0
for tag in $(awk '{print $3}' <<<"$report" | sort -u); do
  grep -q -- "\`$tag\`" "$source/README.md" || { echo "not explained in README.md: $tag"; status=1; }
done
exit $status
