#!/usr/bin/env bash
# End-to-end run of the real game under X: start-up, the stage on screen,
# walking, jumping, crouching, dropping through a ledge, and Escape.
#   game_e2e.sh <vellin> <shot_colours> <assets dir> <screenshot dir>
set -euo pipefail
vellin=$1
colours=$2
assets=$3
shots=$4
mkdir -p "$shots"
rm -f "$shots"/*.png

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

game_pid=""
game_win=""

# Starts the game in directory $1 and waits for its 640x480 window.
start_game() {
  (cd "$1" && exec "$vellin") &
  game_pid=$!
  for _ in $(seq 1 100); do
    for w in $(xdotool search --name '^vellin$' 2>/dev/null); do
      if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 640x480'; then
        game_win=$w
        xdotool windowfocus --sync "$game_win" 2>/dev/null || true
        return 0
      fi
    done
    kill -0 "$game_pid" 2>/dev/null || fail "the game exited during start-up"
    sleep 0.1
  done
  fail "no game window after 10 s"
}

# Holds key(s) $2... for $1 seconds.
hold() {
  local seconds=$1
  shift
  xdotool windowfocus --sync "$game_win" 2>/dev/null || true
  for k in "$@"; do xdotool keydown "$k"; done
  sleep "$seconds"
  for k in "$@"; do xdotool keyup "$k"; done
}

shot() { import -window "$game_win" "$shots/$1.png"; }

# Pixels that differ between two screenshots (by more than a little).
differ() { compare -metric AE -fuzz 10% "$shots/$1.png" "$shots/$2.png" null: 2>&1 || true; }

# Height in pixels of the box around everything that differs between two shots.
changed_height() {
  compare -fuzz 10% "$shots/$1.png" "$shots/$2.png" -compose src -highlight-color white \
    -lowlight-color black "$shots/diff-$1-$2.png" 2>/dev/null || true
  convert "$shots/diff-$1-$2.png" -trim -format '%h' info:
}

count() { "$colours" "$shots/$1.png" | tr ' ' '\n' | sed -n "s/^$2=//p"; }

# Presses Escape and expects the game to end with status 0 within 5 s.
quit_game() {
  hold 0.3 Escape
  for _ in $(seq 1 50); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      local rc=0
      wait "$game_pid" || rc=$?
      [ "$rc" -eq 0 ] || fail "the game ended with status $rc"
      return 0
    fi
    sleep 0.1
  done
  kill "$game_pid" 2>/dev/null || true
  fail "the game did not end within 5 s of Escape"
}

echo "-- start-up: the stage is on screen"
start_game "$assets"
sleep 4 # the opening drop lands well within this
shot start
green=$(count start green)
rock=$(count start rock)
echo "start: green=$green rock=$rock"
[ "$green" -gt 500 ] || fail "no platform green in the start-up picture ($green pixels)"
[ "$rock" -gt 5000 ] || fail "no rock colour in the start-up picture ($rock pixels)"

echo "-- holding Right walks and scrolls the view"
hold 1.5 Right
sleep 0.3
shot walk
moved=$(differ start walk)
echo "walk: $moved pixels changed"
[ "$moved" -gt 20000 ] || fail "the view did not scroll while walking ($moved pixels changed)"

echo "-- X jumps"
shot before-jump
xdotool windowfocus --sync "$game_win" 2>/dev/null || true
xdotool keydown x
sleep 0.45 # near the top of the arc (60 steps)
shot jump
xdotool keyup x
sleep 1.5
shot after-jump
[ "$(differ before-jump jump)" -gt 200 ] || fail "the player did not leave the ground on X"
[ "$(differ before-jump after-jump)" -lt "$(differ before-jump jump)" ] ||
  fail "the player did not come back down after the jump"

echo "-- Down crouches"
xdotool keydown Down
sleep 0.5
shot crouch
xdotool keyup Down
sleep 0.5
shot stand
[ "$(differ stand crouch)" -gt 100 ] || fail "the player did not crouch on Down"

echo "-- Down with X drops through the ledge onto the one below"
# Walk onto the three-cell ledge at map columns 5-7, one that has a lower
# ledge under it. Tap the keys: held on landing they would drop again.
hold 0.5 Right
sleep 0.5
shot before-drop
xdotool windowfocus --sync "$game_win" 2>/dev/null || true
xdotool keydown Down
sleep 0.1
xdotool keydown x
sleep 0.06
xdotool keyup x keyup Down
sleep 1.0
shot drop
# The vacated place and the landing place, 20 units lower, both differ: a
# player who fell through both ledges would leave only the first.
span=$(changed_height before-drop drop)
echo "drop: the change spans $span pixels in height"
[ "$span" -gt 110 ] || fail "the player did not land on the lower ledge (change spans $span px)"

quit_game

echo "-- without data files the game still starts and ends on Escape"
empty=$(mktemp -d)
start_game "$empty"
sleep 2
shot no-data
quit_game
rmdir "$empty"
echo "end-to-end: all steps passed"
