#!/usr/bin/env bash
# vellin-view under X: it opens on the trooper and shows it, Right steps a
# frame (the title says which), F12 saves a screenshot, Escape ends it with
# status 0.
#   view_e2e.sh <vellin-view> <shot_colours> <trooper.txt> <work dir>
set -euo pipefail
view=$1
colours=$2
model=$3
work=$4
source "$(dirname "$0")/../../../tests/e2e/e2e_lib.sh"
fresh_work
log=$work/view.log
title='^vellin-view: '
what="the viewer"
title() { xdotool getwindowname "$win"; }

echo "-- the trooper is on screen"
dir=. launch "$view" "$model"
wait_drawn start 5000
olive=$(count start olive)
visor=$(count start visor)
echo "start: olive=$olive visor=$visor; title: $(title)"
# The camouflage and the visor come from the trooper's texture: an untextured
# or unlit figure has neither.
[ "$olive" -gt 1000 ] || fail "no camouflage olive on screen ($olive pixels)"
[ "$visor" -gt 30 ] || fail "no blue visor on screen ($visor pixels)"
[ "$(title)" = "vellin-view: $model: frame 483/610" ] || fail "title '$(title)' at start"

echo "-- Right steps one frame"
focus
xdotool key Right
deadline=$((SECONDS + 10))
until [ "$(title)" = "vellin-view: $model: frame 484/610" ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "title '$(title)' after Right"
  sleep 0.1
done
echo "title: $(title)"

echo "-- F12 saves a screenshot"
xdotool key F12
shot=$XDG_DATA_HOME/vellin/screenshots/vellin-0001.png
deadline=$((SECONDS + 10))
until [ -s "$shot" ] && grep -qx "$shot" "$log"; do
  [ "$SECONDS" -lt "$deadline" ] || fail "F12 saved no screenshot"
  sleep 0.1
done
[ "$(count "$shot" olive)" -gt 1000 ] || fail "the screenshot does not show the trooper"

echo "-- Escape ends the viewer with status 0"
quit_with_escape
[ "$(wc -l <"$log")" -eq 1 ] || fail "the viewer said more than the screenshot's path"

echo "-- --frames past the last frame: cut, and said in one line"
dir=. launch "$view" --frames 361-9999 "$model"
# The trooper's starting frame, 483, lies inside the cut range.
[ "$(title)" = "vellin-view: $model: frame 483/610, range 361-610" ] || fail "title '$(title)'"
[ "$(cat "$log")" = \
  "vellin-view: $model: --frames 361-9999 cut to 361-610: the model's last frame is 610" ] ||
  fail "no line about the cut range"
quit_with_escape
echo "viewer end-to-end: all steps passed"
