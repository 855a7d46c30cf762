#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and runs the game installed there
# (see installed_game.sh).
#   install_and_run.sh <build dir> <build-tree vellin> <source data dir> <shot_colours> <shot dir>
set -euo pipefail
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$1" --prefix /usr >/dev/null
"$(dirname "$0")/installed_game.sh" "$root/usr/bin/vellin" "$2" "$3" "$4" "$5"
