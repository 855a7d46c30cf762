#!/usr/bin/env bash
# Runs an installed game from an unrelated working directory under X and
# checks it against the game of the build tree run from the source tree:
# with the same seed the landed start-up pictures match (the trooper drawn
# with its texture), walking right brings the wooden bridges into view, and
# Escape ends the game with status 0.
#   installed_game.sh <installed vellin> <build-tree vellin> <source data dir>
#                     <shot_colours> <screenshot dir> [<kept reference dir>]
# The build tree's run is the reference. It is kept in the screenshot dir
# with a stamp of what it depends on: the program, the libraries it loads,
# every data file and the seed. Given the screenshot dir of an earlier run
# whose stamp is the same, its start-up picture is used instead of running
# the same game again (its checks passed when it was kept).
set -euo pipefail
installed=$(realpath "$1")
reference=$(realpath "$2")
source_data=$(realpath "$3")
colours=$(realpath "$4")
work=$(realpath -m "$5")
kept=$(realpath -m "${6:-$work}")
source "$(dirname "$0")/../../tests/e2e/e2e_lib.sh"
seed=7
# The opening drop has landed on the stage.
still_lit=20000

reference_stamp() {
  local libraries
  libraries=$(ldd "$reference" | awk '$2 == "=>" && $3 ~ /^\// { print $3 }' | sort -u)
  # shellcheck disable=SC2086 # one path a line, none with blanks
  sha256sum "$reference" $libraries
  (cd "$source_data" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum)
  echo "seed $seed"
}
stamp=$(reference_stamp)
reuse=0
if [ "$kept" != "$work" ] && [ -s "$kept/reference-start.png" ] &&
  [ "$(cat "$kept/reference.stamp" 2>/dev/null)" = "$stamp" ]; then
  reuse=1
fi

fresh_work
elsewhere=$(mktemp -d)
at_exit 'rm -rf "$elsewhere"'

# Holds Right until enough wood is on screen (the first bridge), up to 40 s.
walk_to_bridge() {
  local start=${EPOCHREALTIME//[!0-9]/} deadline=$((SECONDS + 40)) wood=0 tenths
  focus
  xdotool keydown Right
  while [ "$SECONDS" -lt "$deadline" ]; do
    shot "$1"
    wood=$(count "$1" wood)
    [ "$wood" -gt 600 ] && break
    sleep 0.3
  done
  xdotool keyup Right
  tenths=$(((${EPOCHREALTIME//[!0-9]/} - start) / 100000))
  echo "$1: wood=$wood after $((tenths / 10)).$((tenths % 10)) s of walking"
  [ "$wood" -gt 600 ] || fail "$1: no wooden bridge came into view ($wood wood pixels)"
}

run() {
  log=$work/$1.log what="$1: the game" dir=$2 vellin=$3 start_game --seed "$seed"
  shot_still "$1-start"
  walk_to_bridge "$1-bridge"
  what="$1: the game" quit_with_escape
  ! grep -q 'no data found' "$work/$1.log" || fail "$1: the game found no data"
}

if [ "$reuse" -eq 1 ]; then
  cp "$kept/reference-start.png" "$kept/reference.stamp" "$work/"
  echo "reference: the run kept in $kept (the same program, libraries, data and seed)"
else
  run reference "$source_data" "$reference"
  echo "$stamp" >"$work/reference.stamp"
fi
run installed "$elsewhere" "$installed"
changed=$(differ reference-start installed-start)
echo "start-up pictures: $changed pixels differ"
[ "$changed" -lt 200 ] || fail "the installed game's start differs from the source tree's ($changed pixels)"
echo "installed game: drawn as from the source tree, ended with 0"
