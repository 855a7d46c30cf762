#!/usr/bin/env bash
# Runs an installed game from an unrelated working directory under X and
# checks it against the game of the build tree run from the source tree:
# with the same seed the landed start-up pictures match (the trooper drawn
# with its texture), walking right brings the wooden bridges into view, and
# Escape ends the game with status 0.
#   installed_game.sh <installed vellin> <build-tree vellin> <source data dir>
#                     <shot_colours> <screenshot dir>
set -euo pipefail
installed=$(realpath "$1")
reference=$(realpath "$2")
source_data=$(realpath "$3")
colours=$(realpath "$4")
work=$(realpath -m "$5")
source "$(dirname "$0")/../../tests/e2e/e2e_lib.sh"
fresh_work
elsewhere=$(mktemp -d)
at_exit 'rm -rf "$elsewhere"'
# The opening drop has landed on the stage.
still_lit=20000

# Holds Right until enough wood is on screen (the first bridge), up to 40 s.
walk_to_bridge() {
  focus
  xdotool keydown Right
  local deadline=$((SECONDS + 40)) wood=0
  while [ "$SECONDS" -lt "$deadline" ]; do
    shot "$1"
    wood=$(count "$1" wood)
    [ "$wood" -gt 600 ] && break
    sleep 0.3
  done
  xdotool keyup Right
  echo "$1: wood=$wood"
  [ "$wood" -gt 600 ] || fail "$1: no wooden bridge came into view ($wood wood pixels)"
}

run() {
  log=$work/$1.log what="$1: the game" dir=$2 vellin=$3 start_game --seed 7
  shot_still "$1-start"
  walk_to_bridge "$1-bridge"
  what="$1: the game" quit_with_escape
  ! grep -q 'no data found' "$work/$1.log" || fail "$1: the game found no data"
}

run reference "$source_data" "$reference"
run installed "$elsewhere" "$installed"
changed=$(differ reference-start installed-start)
echo "start-up pictures: $changed pixels differ"
[ "$changed" -lt 200 ] || fail "the installed game's start differs from the source tree's ($changed pixels)"
echo "installed game: drawn as from the source tree, ended with 0"
