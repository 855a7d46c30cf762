#!/usr/bin/env bash
# Checks the Debian packages that scripts/build-debs made: lintian finds no
# error, and unpacked into a scratch root (dpkg-deb -x) the game runs as
# from the source tree (installed_game.sh), its kelpcheck passes its models,
# its vellin-view starts, and programs build against the library through
# pkg-config and find_package.
#   deb_test.sh <deb dir> <build-tree vellin> <source data dir> <shot_colours>
#               <screenshot dir> <cc>
set -euo pipefail
debs=$1
here=$(dirname "$0")
shopt -s nullglob
packages=("$debs"/*.deb)
[ ${#packages[@]} -eq 3 ] || { echo "FAIL: expected 3 packages in $debs" >&2; exit 1; }

report=$(lintian --tag-display-limit 0 "${packages[@]}" 2>&1 || true)
echo "$report" | grep -E '^[EW]: ' || true
if echo "$report" | grep -q '^E: '; then
  echo "FAIL: lintian reports errors" >&2
  exit 1
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
for deb in "${packages[@]}"; do dpkg-deb -x "$deb" "$root"; done
"$here/installed_game.sh" "$root/usr/games/vellin" "$2" "$3" "$4" "$5"
"$root/usr/games/kelpcheck" --quiet "$root"/usr/share/vellin/*.txt ||
  { echo "FAIL: the packaged kelpcheck does not pass the packaged models" >&2; exit 1; }
"$root/usr/games/vellin-view" --help >/dev/null ||
  { echo "FAIL: the packaged vellin-view does not start" >&2; exit 1; }
"$here/../../modelstore/tests/consumer_test.sh" "$root/usr" "$6"
echo "packages: lintian clean of errors, the game and the library work unpacked"
