#!/usr/bin/env bash
# The gamepad through Allegro's own Linux joystick driver: a simulated pad
# (fake_pad.so, preloaded into the real game) is named on one line at
# start-up (by its counts when it has no name), its resting triggers, its
# stick held as the game starts and a stick inside the dead zone move
# nothing, and its stick, released and pushed right, walks the trooper. An
# Escape tapped shorter than a frame ends the game. A pad plugged in after
# start is named within two seconds and walks; pulled, it pauses the game and
# leaves nothing held.
#   pad_e2e.sh <vellin> <shot_colours> <assets dir> <fake_pad.so> <screenshot dir>
set -euo pipefail
vellin=$1
colours=$2
assets=$3
fake_pad=$4
work=$5
source "$(dirname "$0")/e2e_lib.sh"
fresh_work

script=$work/pad.script
: >"$script"
push() { echo "$*" >>"$script"; }

echo "-- a pad present at start-up is named on one line"
LD_PRELOAD=$fake_pad FAKE_PAD_SCRIPT=$script FAKE_PAD_NAME="Vellin Test Pad" \
  FAKE_PAD_START="0 32767" start_game --mute
# The triggers rest at one end of their axes and the stick, held right at
# start-up, is taken for one: nothing walks, and the picture comes to rest.
shot_still start
grep -qx 'vellin: gamepad: Vellin Test Pad' "$work/game.log" || fail "the pad was not named"
[ "$(wc -l <"$work/game.log")" -eq 1 ] || fail "the game said more than the pad's name"

echo "-- the stick, released, inside the dead zone does not walk"
push axis 0 0
push axis 0 6000
# Held there while the picture is watched coming to rest, over many frames.
shot_still nudge
push axis 0 0
expect_stood start nudge "the trooper walked on a stick inside the dead zone"

echo "-- the stick pushed right walks"
push axis 0 32767
shot_changed_by walking nudge 20000 "the stick held right walked nowhere"
push axis 0 0
shot_still walk
expect_walked nudge walk "the trooper did not walk with the stick held at start-up"

echo "-- Escape tapped shorter than a frame quits"
focus
xdotool key --delay 0 Escape
timeout 10 tail --pid="$pid" -f /dev/null || fail "the game did not end within 10 s of a tap of Escape"
wait "$pid" || fail "the game ended with status $? after a tap of Escape"
pid=""

echo "-- a pad plugged in after start is named (by its counts), walks, and pulled pauses"
script=$work/late.script plug=$work/plugged
echo "button 7 1" >"$script" # Start held as the pad comes: no press, no pause
LD_PRELOAD=$fake_pad FAKE_PAD_SCRIPT=$script FAKE_PAD_NAME="" FAKE_PAD_PLUGGED=$plug \
  FAKE_PAD_START="0 32767" start_game --mute
wait_drawn late-first
[ ! -s "$work/game.log" ] || fail "the game spoke of a pad before there was one"
said() { timeout 2.5 sh -c "until grep -qx '$1' '$work/game.log'; do sleep 0.1; done" || fail "not said within 2.5 s: $1"; }
touch "$plug"
said 'vellin: gamepad with 4 sticks, 8 axes, 11 buttons'
push axis 0 0 # held as the pad came: it steers once released
shot_still late-rest
push axis 0 32767
shot_changed_by late-walk late-rest 20000 "the pad plugged in late did not walk the trooper"
expect_walked late-rest late-walk "the pad plugged in late did not walk the trooper"
rm "$plug"
said 'vellin: gamepad disconnected'
shot_still pulled # dimmed: the grass is dark
[ "$(count pulled green)" -lt "$(($(count late-walk green) / 2))" ] || fail "pulling the pad did not pause"
hold 0.1 p
dimmed=$(count pulled green) deadline=$((SECONDS + 10))
until shot resumed && [ "$(count resumed green)" -gt $((dimmed * 2)) ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "P did not resume"
  sleep 0.1
done
# At rest over many frames, and where it was: nothing held.
shot_still resumed-later
expect_stood resumed resumed-later "the trooper walked on after the pad was pulled"
quit_with_escape
echo "pad end-to-end: all steps passed"
