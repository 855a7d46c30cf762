#!/usr/bin/env bash
# Builds the Debian packages a second time, from nothing, in another folder
# and checks they are byte for byte those of the first build of the same
# commit: the packages are reproducible.
#   same_debs_test.sh <deb dir> <scratch build dir, removed before and after>
set -euo pipefail
debs=$1
again=$2
cd "$(dirname "$0")/../.."
rm -rf "$again"
scripts/build-debs "$again" >/dev/null
status=0
for deb in "$debs"/*.deb; do
  cmp -s "$deb" "$again/${deb##*/}" || { echo "FAIL: ${deb##*/} differs between $debs and $again" >&2; status=1; }
done
[ "$status" -eq 0 ] && rm -rf "$again" && echo "packages: a second build in another folder gives the same bytes"
exit "$status"
