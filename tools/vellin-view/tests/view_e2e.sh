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
rm -rf "$work"
mkdir -p "$work"
export XDG_DATA_HOME=$work/data

fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/view.log" ] && sed 's/^/  viewer: /' "$work/view.log" >&2
  exit 1
}

"$view" "$model" >"$work/view.log" 2>&1 &
pid=$!
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null || true' EXIT

# The window AllegroGL draws into is the 640x480 one.
win=""
for _ in $(seq 1 100); do
  for w in $(xdotool search --name '^vellin-view: ' 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 640x480' && win=$w
  done
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the viewer exited during start-up"
  sleep 0.1
done
[ -n "$win" ] || fail "no viewer window after 10 s"
title() { xdotool getwindowname "$win"; }
count() { "$colours" "$work/$1.png" | tr ' ' '\n' | sed -n "s/^$2=//p"; }

echo "-- the trooper is on screen"
deadline=$((SECONDS + 30))
until import -window "$win" "$work/start.png" 2>/dev/null && [ "$(count start lit)" -gt 5000 ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "nothing drawn within 30 s"
  sleep 0.2
done
olive=$(count start olive)
visor=$(count start visor)
echo "start: olive=$olive visor=$visor; title: $(title)"
# The camouflage and the visor come from the trooper's texture: an untextured
# or unlit figure has neither.
[ "$olive" -gt 1000 ] || fail "no camouflage olive on screen ($olive pixels)"
[ "$visor" -gt 30 ] || fail "no blue visor on screen ($visor pixels)"
[ "$(title)" = "vellin-view: $model: frame 483/610" ] || fail "title '$(title)' at start"

echo "-- Right steps one frame"
xdotool windowfocus --sync "$win" 2>/dev/null || true
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
until [ -s "$shot" ] && grep -qx "$shot" "$work/view.log"; do
  [ "$SECONDS" -lt "$deadline" ] || fail "F12 saved no screenshot"
  sleep 0.1
done
cp "$shot" "$work/f12.png"
[ "$(count f12 olive)" -gt 1000 ] || fail "the screenshot does not show the trooper"

echo "-- Escape ends the viewer with status 0"
xdotool key Escape
deadline=$((SECONDS + 20))
while kill -0 "$pid" 2>/dev/null; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the viewer did not end within 20 s of Escape"
  sleep 0.1
done
rc=0
wait "$pid" || rc=$?
pid=""
[ "$rc" -eq 0 ] || fail "the viewer ended with status $rc after Escape"
[ "$(wc -l <"$work/view.log")" -eq 1 ] || fail "the viewer said more than the screenshot's path"

echo "-- --frames past the last frame: cut, and said in one line"
"$view" --frames 361-9999 "$model" >"$work/view.log" 2>&1 &
pid=$!
win=""
for _ in $(seq 1 100); do
  for w in $(xdotool search --name '^vellin-view: ' 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 640x480' && win=$w
  done
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the viewer exited during start-up"
  sleep 0.1
done
[ -n "$win" ] || fail "no viewer window after 10 s"
# The trooper's starting frame, 483, lies inside the cut range.
[ "$(title)" = "vellin-view: $model: frame 483/610, range 361-610" ] || fail "title '$(title)'"
[ "$(cat "$work/view.log")" = \
  "vellin-view: $model: --frames 361-9999 cut to 361-610: the model's last frame is 610" ] ||
  fail "no line about the cut range"
xdotool key Escape
wait "$pid" || fail "the viewer ended with status $? after Escape"
pid=""
echo "viewer end-to-end: all steps passed"
