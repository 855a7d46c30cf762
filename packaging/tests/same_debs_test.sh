#!/usr/bin/env bash
# Checks that two builds of the Debian packages of one commit, in two folders,
# give the same bytes: the packages are reproducible.
#   same_debs_test.sh <deb dir> <second dir>
# Without packages in the second folder, they are first built there from
# nothing (./check builds them so itself, beside its other stages). The
# second folder is removed when they match.
set -euo pipefail
debs=$1
again=$2
cd "$(dirname "$0")/../.."
shopt -s nullglob
built=("$again"/*.deb)
if [ ${#built[@]} -eq 0 ]; then
  rm -rf "$again"
  scripts/build-debs "$again" >/dev/null
fi
status=0
for deb in "$debs"/*.deb; do
  cmp -s "$deb" "$again/${deb##*/}" || { echo "FAIL: ${deb##*/} differs between $debs and $again" >&2; status=1; }
done
[ "$status" -eq 0 ] && rm -rf "$again" && echo "packages: a second build in another folder gives the same bytes"
exit "$status"
