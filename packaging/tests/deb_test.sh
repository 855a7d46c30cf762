#!/usr/bin/env bash
# Checks the Debian packages that scripts/build-debs made: lintian reports
# nothing, not even pedantic or informational tags; the library's symbols
# file lists exactly what the library exports; nothing shipped holds the
# path of the source or the build tree; and unpacked into a scratch root
# (dpkg-deb -x) the game runs as from the source tree (installed_game.sh),
# its kelpcheck passes its models, its vellin-view starts, and programs
# build against the library through pkg-config and find_package.
#   deb_test.sh <deb dir> <build-tree vellin> <source data dir> <shot_colours>
#               <screenshot dir> <cc> [<kept reference dir>]
# The build tree's game, the reference, is not run again when the kept
# reference dir (by default install-shots beside it, where the build's own
# installed_game_test keeps it) holds its run with the same stamp.
set -euo pipefail
debs=$1
here=$(dirname "$0")
shopt -s nullglob
packages=("$debs"/*.deb)
[ ${#packages[@]} -eq 3 ] || { echo "FAIL: expected 3 packages in $debs" >&2; exit 1; }

root=$(mktemp -d)
trap 'kill "${lintian_pid:-}" 2>/dev/null || true; rm -rf "$root"' EXIT
# lintian works alone for a while (about ten CPU seconds): it runs beside the
# rest, which mostly waits on the game, and is read at the end.
lintian -I --pedantic --tag-display-limit 0 "${packages[@]}" >"$root/lintian.out" 2>&1 &
lintian_pid=$!
for deb in "${packages[@]}"; do dpkg-deb -x "$deb" "$root"; done

lib=$(echo "$root"/usr/lib/*/libkelpmodel.so.*.*)
version=$(dpkg-deb -f "$debs"/libkelpmodel1_*.deb Version)
dpkg-deb --ctrl-tarfile "$debs"/libkelpmodel1_*.deb | tar -xO ./symbols >"$root/symbols"
dpkg-gensymbols -c4 -plibkelpmodel1 -v"$version" -e"$lib" -I"$root/symbols" -O/dev/null ||
  { echo "FAIL: packaging/debian/symbols does not match the library's exports" >&2; exit 1; }
for tree in "$(realpath "$3/..")" "$(realpath "$debs")"; do
  if grep -rlF "$tree" "$root/usr"; then
    echo "FAIL: the files above hold the path $tree" >&2
    exit 1
  fi
done
"$here/installed_game.sh" "$root/usr/games/vellin" "$2" "$3" "$4" "$5" \
  "${7:-$(dirname "$2")/install-shots}"
"$root/usr/games/kelpcheck" --quiet "$root"/usr/share/vellin/*.txt ||
  { echo "FAIL: the packaged kelpcheck does not pass the packaged models" >&2; exit 1; }
"$root/usr/games/vellin-view" --help >/dev/null ||
  { echo "FAIL: the packaged vellin-view does not start" >&2; exit 1; }
"$here/../../modelstore/tests/consumer_test.sh" "$root/usr" "$6"
wait "$lintian_pid" || true
tags=$(grep -E '^[A-Z]: ' "$root/lintian.out" || true)
[ -z "$tags" ] || { echo "$tags" >&2; echo "FAIL: lintian reports the tags above" >&2; exit 1; }
echo "packages: lintian clean, the game and the library work unpacked"
