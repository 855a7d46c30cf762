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
  [ -s "$shots/game.log" ] && sed 's/^/  game: /' "$shots/game.log" >&2
  exit 1
}

game_pid=""
game_win=""
# A failed step must not leave the game running (ctest would wait for it).
trap '[ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true' EXIT

# Starts the game in directory $1 and waits for its 640x480 window.
start_game() {
  (cd "$1" && exec "$vellin") >"$shots/game.log" 2>&1 &
  game_pid=$!
  for _ in $(seq 1 100); do
    for w in $(xdotool search --name '^vellin$' 2>/dev/null); do
      if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 640x480'; then
        game_win=$w
        xdotool windowfocus --sync "$game_win" 2>/dev/null || true
        return 0
      fi
    done
    if ! kill -0 "$game_pid" 2>/dev/null; then
      local rc=0
      wait "$game_pid" || rc=$?
      fail "the game exited during start-up with status $rc"
    fi
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

# Takes shot $1 again and again until measure $2 (differ or changed_height)
# against shot $3 exceeds $4, for up to $5 seconds; prints the last value.
# Frames can be slow on a loaded machine, so no single moment is trusted.
shot_until() {
  local name=$1 measure=$2 ref=$3 above=$4 seconds=$5 value=0
  local deadline=$((SECONDS + seconds))
  while :; do
    shot "$name"
    value=$("$measure" "$ref" "$name")
    [ "$value" -gt "$above" ] && break
    [ "$SECONDS" -ge "$deadline" ] && break
    sleep 0.2
  done
  echo "$value"
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
# While X is held the player jumps again on every landing, so the player is
# in the air whenever a frame is drawn.
shot before-jump
xdotool windowfocus --sync "$game_win" 2>/dev/null || true
xdotool keydown x
up=$(shot_until jump differ before-jump 200 8)
xdotool keyup x
sleep 1.5
shot after-jump
back=$(differ before-jump after-jump)
echo "jump: $up pixels changed in the air, $back after landing"
[ "$up" -gt 200 ] || fail "the player did not leave the ground on X"
[ "$back" -lt "$up" ] || fail "the player did not come back down after the jump"

echo "-- Down crouches"
shot stand
xdotool keydown Down
low=$(shot_until crouch differ stand 100 8)
xdotool keyup Down
echo "crouch: $low pixels changed"
[ "$low" -gt 100 ] || fail "the player did not crouch on Down"
sleep 0.5

echo "-- Down with X drops through the ledge"
# Walk to map column 9 (x 180-220), where the next ledge down is six rows
# (60 units) below: the fall takes over half a second, so the keys are up
# again before the landing, however slowly frames are drawn (keys held on
# landing would drop the player through that ledge too).
hold 3.1 Right
sleep 0.5
shot before-drop
xdotool windowfocus --sync "$game_win" 2>/dev/null || true
xdotool keydown Down
sleep 0.15
xdotool keydown x
sleep 0.2
xdotool keyup x keyup Down
# The vacated place and the landing place, 60 units lower, both differ: a
# player who fell through that ledge as well would leave only the first.
span=$(shot_until drop changed_height before-drop 200 8)
echo "drop: the change spans $span pixels in height"
[ "$span" -gt 200 ] || fail "the player did not land on the lower ledge (change spans $span px)"

quit_game

echo "-- without data files the game says so, still starts and ends on Escape"
# A copy outside the build tree does not use the source tree's data.
empty=$(mktemp -d)
cp "$vellin" "$empty/vellin"
vellin="$empty/vellin" start_game "$empty"
sleep 2
shot no-data
quit_game
grep -q '^vellin: no data found' "$shots/game.log" || fail "no word about the missing data"
rm -r "$empty"
echo "-- without a display the game says why and exits with status 1"
rc=0
(cd "$assets" && DISPLAY=:4242 exec "$vellin") >"$shots/no-display.log" 2>&1 || rc=$?
cat "$shots/no-display.log"
[ "$rc" -eq 1 ] || fail "without a display the game ended with status $rc, not 1"
grep -q '^vellin: ' "$shots/no-display.log" || fail "without a display the game printed no reason"
echo "end-to-end: all steps passed"
