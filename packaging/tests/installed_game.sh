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
mkdir -p "$5"
shots=$(realpath "$5")
rm -f "$shots"/*.png "$shots"/*.log
seed=7

fail() {
  echo "FAIL: $*" >&2
  for log in "$shots"/*.log; do [ -s "$log" ] && sed "s|^|  $(basename "$log"): |" "$log" >&2; done
  exit 1
}

game_pid=""
game_win=""
trap '[ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true' EXIT

# start <name> <dir> <program>: starts it in <dir> and waits for its window.
start() {
  (cd "$2" && exec "$3" --windowed --seed "$seed") >"$shots/$1.log" 2>&1 &
  game_pid=$!
  for _ in $(seq 1 150); do
    for w in $(xdotool search --name '^vellin$' 2>/dev/null); do
      if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 640x480'; then
        game_win=$w
        return 0
      fi
    done
    kill -0 "$game_pid" 2>/dev/null || fail "$1: the game exited during start-up"
    sleep 0.1
  done
  fail "$1: no game window after 15 s"
}

shot() {
  for _ in 1 2 3 4 5; do
    import -window "$game_win" "$shots/$1.png" 2>/dev/null && return 0
    sleep 0.2
  done
  fail "cannot take a screenshot ($1)"
}
differ() { compare -metric AE -fuzz 10% "$shots/$1.png" "$shots/$2.png" null: 2>&1 || true; }
count() { "$colours" "$shots/$1.png" | tr ' ' '\n' | sed -n "s/^$2=//p"; }

# Waits until the stage is on screen and two shots a second apart agree: the
# opening drop has landed.
landed() {
  shot "$1"
  for _ in $(seq 1 60); do
    sleep 1
    mv "$shots/$1.png" "$shots/$1-before.png"
    shot "$1"
    [ "$(count "$1" lit)" -gt 20000 ] && [ "$(differ "$1-before" "$1")" -lt 50 ] && return 0
  done
  fail "$1: the picture never settled"
}

# Holds Right until enough wood is on screen (the first bridge), up to 40 s.
walk_to_bridge() {
  xdotool windowfocus --sync "$game_win" 2>/dev/null || true
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

quit() {
  xdotool windowfocus --sync "$game_win" 2>/dev/null || true
  xdotool keydown Escape
  for _ in $(seq 1 100); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      xdotool keyup Escape
      local rc=0
      wait "$game_pid" || rc=$?
      game_pid=""
      [ "$rc" -eq 0 ] || fail "$1: the game ended with status $rc"
      return 0
    fi
    sleep 0.1
  done
  fail "$1: the game did not end within 10 s of Escape"
}

run() {
  start "$1" "$2" "$3"
  landed "$1-start"
  walk_to_bridge "$1-bridge"
  quit "$1"
  ! grep -q 'no data found' "$shots/$1.log" || fail "$1: the game found no data"
}

elsewhere=$(mktemp -d)
trap '[ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null; rm -rf "$elsewhere"' EXIT
run reference "$source_data" "$reference"
run installed "$elsewhere" "$installed"
changed=$(differ reference-start installed-start)
echo "start-up pictures: $changed pixels differ"
[ "$changed" -lt 200 ] || fail "the installed game's start differs from the source tree's ($changed pixels)"
echo "installed game: drawn as from the source tree, ended with 0"
