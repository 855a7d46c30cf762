#!/usr/bin/env bash
# Runs an installed game from an unrelated working directory under X and
# checks it against the game of the build tree run from the source tree:
# started, it draws and Escape ends it with status 0; and the walk of
# bridge_walk.demo (seed 7) as a timedemo draws the same landed start-up
# picture (the trooper drawn with its texture) and, walking right, brings
# the wooden bridges into view.
#   installed_game.sh <installed vellin> <build-tree vellin> <source data dir>
#                     <shot_colours> <screenshot dir> [<kept reference dir>]
# The build tree's runs are the reference. They are kept in the screenshot
# dir with a stamp of what they depend on: the program, the libraries it
# loads, every data file and the demo. Given the screenshot dir of an earlier
# run whose stamp is the same, its pictures are used instead of running the
# same game again (its checks passed when it was kept).
set -euo pipefail
installed=$(realpath "$1")
reference=$(realpath "$2")
source_data=$(realpath "$3")
colours=$(realpath "$4")
work=$(realpath -m "$5")
kept=$(realpath -m "${6:-$work}")
here=$(realpath "$(dirname "$0")")
source "$here/../../tests/e2e/e2e_lib.sh"
walk=$here/bridge_walk.demo
# Frames of the walk: landed after the opening drop, and the last one.
landed=frame-000003.png
at_bridge=frame-000026.png

reference_stamp() {
  local libraries
  libraries=$(ldd "$reference" | awk '$2 == "=>" && $3 ~ /^\// { print $3 }' | sort -u)
  # shellcheck disable=SC2086 # one path a line, none with blanks
  sha256sum "$reference" $libraries "$walk"
  (cd "$source_data" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum)
}
stamp=$(reference_stamp)
reuse=0
if [ "$kept" != "$work" ] && [ -s "$kept/reference/$landed" ] && [ -s "$kept/reference/$at_bridge" ] &&
  [ "$(cat "$kept/reference.stamp" 2>/dev/null)" = "$stamp" ]; then
  reuse=1
fi

fresh_work
elsewhere=$(mktemp -d)
at_exit 'rm -rf "$elsewhere"'

run() {
  local name=$1 folder=$2 game=$3
  log=$work/$name.log what="$name: the game" dir=$folder vellin=$game start_game
  wait_drawn "$name-start"
  what="$name: the game" quit_with_escape
  ! grep -q 'no data found' "$work/$name.log" || fail "$name: the game found no data"
  log=$work/$name-walk.log dir=$folder vellin=$game run_game --timedemo "$walk" --capture "$work/$name" ||
    fail "$name: the walk's timedemo failed: $(cat "$work/$name-walk.log")"
  ! grep -q 'no data found' "$work/$name-walk.log" || fail "$name: the walk found no data"
  [ -s "$work/$name/$at_bridge" ] || fail "$name: the walk's last frame is missing"
  local wood
  wood=$(count "$work/$name/$at_bridge" wood)
  echo "$name: wood=$wood at the walk's end"
  [ "$wood" -gt 600 ] || fail "$name: no wooden bridge came into view ($wood wood pixels)"
}

if [ "$reuse" -eq 1 ]; then
  mkdir "$work/reference"
  cp "$kept/reference/$landed" "$kept/reference/$at_bridge" "$work/reference/"
  cp "$kept/reference.stamp" "$work/"
  echo "reference: the run kept in $kept (the same program, libraries, data and demo)"
else
  run reference "$source_data" "$reference"
  echo "$stamp" >"$work/reference.stamp"
fi
run installed "$elsewhere" "$installed"
for frame in "$landed" "$at_bridge"; do
  changed=$(differ "$work/reference/$frame" "$work/installed/$frame")
  echo "$frame: $changed pixels differ"
  [ "$changed" -lt 200 ] || fail "the installed game draws $frame of the walk unlike the source tree's ($changed pixels)"
done
echo "installed game: drawn as from the source tree, ended with 0"
