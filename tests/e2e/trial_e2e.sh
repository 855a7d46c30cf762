#!/usr/bin/env bash
# End-to-end start in time trial: the clock in the picture's top left corner,
# running; none without --time-trial until Time trial is chosen on the pause
# menu; Escape ends the game as ever.
#   trial_e2e.sh <vellin> <shot_colours> <assets dir> <screenshot dir>
set -euo pipefail
vellin=$1
colours=$2
assets=$3
work=$4
source "$(dirname "$0")/e2e_lib.sh"
fresh_work

# Pixels of the clock's corner of shot $1 that are not the black of the sky.
corner_lit() {
  convert "$work/$1.png" -crop 150x30+0+0 -threshold 30% -format '%[fx:int(mean*w*h+0.5)]' info:
}

echo "-- without --time-trial: nothing in the corner"
start_game
wait_drawn plain
[ "$(corner_lit plain)" -eq 0 ] || fail "something drawn in the clock's corner outside time trial"
echo "-- Time trial on the pause menu starts the clock"
shot playing
hold 0.2 p
# The menu is drawn over the dimmed stage: its green is dark.
deadline=$((SECONDS + 10))
until shot menu && [ "$(count menu green)" -lt "$(($(count playing green) / 2))" ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "P did not open the pause menu"
  sleep 0.1
done
for _ in 1 2 3 4 5; do hold 0.1 Down; done # Time trial
hold 0.1 Return
# The clock runs, so the picture never comes to rest: shots until it shows.
deadline=$((SECONDS + 10)) lit=0
until shot from-menu && lit=$(corner_lit from-menu) && [ "$lit" -gt 40 ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "no clock after choosing Time trial ($lit pixels)"
  sleep 0.1
done
quit_with_escape

echo "-- --time-trial: the clock shows and runs"
start_game --time-trial
wait_drawn trial
lit=$(corner_lit trial)
[ "$lit" -gt 40 ] || fail "no clock in the top left corner ($lit pixels)"
deadline=$((SECONDS + 20))
until shot trial-later && [ "$(compare -metric AE -fuzz 10% "$work/trial.png" "$work/trial-later.png" \
  -crop 150x30+0+0 null: 2>&1 || true)" != 0 ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the clock did not move in 20 s"
  sleep 0.1
done
quit_with_escape
[ ! -e "$work/home/data/vellin/records" ] || fail "a records folder without a finish"
echo "PASS"
