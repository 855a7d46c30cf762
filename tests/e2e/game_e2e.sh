#!/usr/bin/env bash
# End-to-end run of the real game under X: start-up, the stage on screen,
# walking, jumping, crouching, dropping through a ledge, and Escape.
#   game_e2e.sh <vellin> <shot_colours> <assets dir> <screenshot dir>
set -euo pipefail
vellin=$1
colours=$2
assets=$3
work=$4
source "$(dirname "$0")/e2e_lib.sh"
fresh_work

# Height in pixels of the box around everything that differs between two shots.
changed_height() {
  compare -fuzz 10% "$work/$1.png" "$work/$2.png" -compose src -highlight-color white \
    -lowlight-color black "$work/diff-$1-$2.png" 2>/dev/null || true
  # Without the foot of the picture: the fall hint shows there after a few
  # seconds of falling, which a slow frame on a loaded machine may reach.
  convert "$work/diff-$1-$2.png" -gravity south -chop 0x40 -trim -format '%h' info:
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

# Expects exactly one line of the game's output to match $1.
said_once() {
  local n
  n=$(grep -c -- "$1" "$work/game.log" || true)
  [ "$n" -eq 1 ] || fail "expected one line matching '$1', found $n"
}

echo "-- start-up: the stage is on screen"
start_game
shot_still start # drawn, and the opening drop has landed
green=$(count start green)
rock=$(count start rock)
echo "start: green=$green rock=$rock"
[ "$green" -gt 500 ] || fail "no platform green in the start-up picture ($green pixels)"
[ "$rock" -gt 5000 ] || fail "no rock colour in the start-up picture ($rock pixels)"
# Without a sound card (a server, CI, a container) one line says the game
# runs silent, and that is all; with one, it says nothing.
lines=0
if [ ! -e /dev/snd ]; then
  said_once '^vellin: no sound device, running silent$'
  lines=1
fi
[ "$(wc -l <"$work/game.log")" -eq "$lines" ] || fail "the game complained with every data file in place"

echo "-- holding Right walks and scrolls the view"
# Physics runs a fixed number of steps per second however slow the frames, so
# the time a key is held sets the distance walked (to within a frame). One
# walk serves the jump, the crouch and the drop: 4.6 s brings the player to
# map column 9 (x 180-220), where the next ledge down is six rows (60 units)
# below, and under it only rock; above it nothing to land on when jumping.
hold 4.6 Right
shot_still walk
expect_walked start walk "the view did not scroll while walking"

echo "-- X jumps"
# While X is held the player jumps again on every landing, so the player is
# in the air whenever a frame is drawn.
focus
xdotool keydown x
up=$(shot_until jump differ walk 200 15)
xdotool keyup x
shot_still after-jump
back=$(differ walk after-jump)
echo "jump: $up pixels changed in the air, $back after landing"
[ "$up" -gt 200 ] || fail "the player did not leave the ground on X"
[ "$back" -lt "$up" ] || fail "the player did not come back down after the jump"

echo "-- Down crouches"
xdotool keydown Down
low=$(shot_until crouch differ after-jump 100 15)
echo "crouch: $low pixels changed"
[ "$low" -gt 100 ] || fail "the player did not crouch on Down"

echo "-- Down with X held drops through every ledge below"
# Down stays held from the crouch and X joins it. The steps run after a
# frame's drawing all see the keys of that moment, so whether a tap of X is
# still seen on landing depends on how slow the frame was; with Down and X
# held it always is. So the player drops through the upper ledge, lands on
# the lower one, drops through it too and falls out of the picture, however
# slow the frames. The standing player after the jump is the picture before.
xdotool keydown x
falling=$(shot_until falling differ crouch 300 15)
shot_still drop
xdotool keyup x Down
span=$(changed_height after-jump drop)
gone=$(differ after-jump drop)
echo "drop: $falling pixels changed while falling; at rest $gone, spanning $span pixels in height"
[ "$gone" -gt 300 ] || fail "the player did not leave the upper ledge on Down with X"
# Only the vacated place differs: a player on the lower ledge, 60 units down,
# would stretch the change over more than 200 pixels.
[ "$span" -lt 200 ] || fail "the player stayed on the lower ledge with Down and X held"

quit_with_escape

echo "-- without data files the game says so, still starts and ends on Escape"
# A copy outside the build tree does not use the source tree's data.
empty=$(mktemp -d)
cp "$vellin" "$empty/vellin"
dir=$empty vellin=$empty/vellin start_game
shot_still no-data
quit_with_escape
grep -q '^vellin: no data found' "$work/game.log" || fail "no word about the missing data"
[ "$(wc -l <"$work/game.log")" -eq 1 ] || fail "more than the one line about the missing data"
rm -r "$empty"

echo "-- an unreadable image and a missing texture: one line each, and the game runs"
echo "   (--mute: not even a word about sound)"
broken=$(mktemp -d)
cp "$assets"/trooper.txt "$assets"/trooper.png "$assets"/bridge.txt "$broken"/
echo "not an image" >"$broken/white.png"
dir=$broken start_game --data "$broken" --mute
shot_still broken-data
quit_with_escape
said_once "^vellin: $broken/white.png: not a loadable image"
said_once "^vellin: $broken/bridge.txt:[0-9]*: texture $broken/bridge_wood.png: No such file or directory\$"
[ "$(wc -l <"$work/game.log")" -eq 2 ] || fail "the game said more than those two lines"
rm -r "$broken"

echo "-- without a display the game says why and exits with status 1"
rc=0
(cd "$assets" && DISPLAY=:4242 exec "$vellin") >"$work/no-display.log" 2>&1 || rc=$?
cat "$work/no-display.log"
[ "$rc" -eq 1 ] || fail "without a display the game ended with status $rc, not 1"
grep -q '^vellin: cannot initialise Allegro: .*DISPLAY=:4242$' "$work/no-display.log" || fail "without a display the game did not name DISPLAY"
echo "end-to-end: all steps passed"
