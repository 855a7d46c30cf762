#!/usr/bin/env bash
# Demos end to end with the real game under X: a recording made live on a
# stage chosen by name (its title) plays back on that stage, the timedemo
# line, F12 screenshots that never overwrite, a damaged demo and an old one
# of a stage not found refused cleanly, and a demo that holds its stage
# played without the stage's file: its capture the same PNG files as the
# capture of a demo of the same keys made on that stage's file.
#   demo_e2e.sh <vellin> <make_demo> <shot_colours> <assets dir> <work dir>
set -euo pipefail
vellin=$1
make_demo=$2
colours=$3
assets=$4
work=$5
source "$(dirname "$0")/e2e_lib.sh"
fresh_work

line_pattern='^vellin: [0-9]+ frames, [0-9.]+ seconds, [0-9.]+ fps \(min [0-9.]+ / avg [0-9.]+ / max [0-9.]+ / stddev [0-9.]+ ms\)$'

echo "-- a live recording on the stage Steps, with two screenshots on the way"
title='^Vellin - Steps$' start_game --stage steps --record "$work/live.demo"
wait_drawn live
hold 0.5 Right # the recording holds a walk
hold 0.3 F12
wait_for "$XDG_DATA_HOME/vellin/screenshots/vellin-0001.png" 20 || fail "F12 saved nothing"
hold 0.3 F12
wait_for "$XDG_DATA_HOME/vellin/screenshots/vellin-0002.png" 20 || fail "a second F12 saved nothing"
quit_with_escape
grep -qx "$XDG_DATA_HOME/vellin/screenshots/vellin-0001.png" "$work/game.log" ||
  fail "the screenshot's path was not printed"
read -r green rock lit < <("$colours" "$XDG_DATA_HOME/vellin/screenshots/vellin-0001.png" |
  sed 's/[a-z]*=//g')
echo "screenshot: green=$green rock=$rock lit=$lit"
[ "$rock" -gt 5000 ] || fail "the screenshot does not show the stage"
[ -e "$work/live.demo.part" ] && fail "the recording left its .part file"
[ -s "$work/live.demo" ] || fail "no recording"

echo "-- the recording plays back as a timedemo, on the stage it names"
run_game --timedemo "$work/live.demo" || fail "the timedemo of the recording failed"
cat "$work/game.log"
grep -Eq "$line_pattern" "$work/game.log" || fail "no timedemo line"

echo "-- a capture of a demo made on a stage file"
printf 'seed 3\nsteps-per-frame 12\n150 -\n120 right\n' >"$work/short.keys"
"$make_demo" --stage "$assets/stages/steps.stage" "$work/short.keys" "$work/short.demo"
run_game --timedemo "$work/short.demo" --capture "$work/a" --capture-every 2 || fail "capture run a failed"
grep -Eq '^vellin: 23 frames, ' "$work/game.log" || fail "run a: $(cat "$work/game.log")"
[ "$(ls "$work/a" | wc -l)" -eq 12 ] || fail "expected 12 captured frames: $(ls "$work/a")"
read -r green rock lit < <("$colours" "$work/a/frame-000023.png" | sed 's/[a-z]*=//g')
echo "last captured frame: green=$green rock=$rock lit=$lit"
[ "$rock" -gt 5000 ] && [ "$green" -gt 500 ] || fail "the captured frame does not show the stage"

echo "-- a damaged demo is refused with one line and status 1"
printf 'VELLDEMO\377\000' >"$work/bad.demo"
rc=0
"$vellin" --play "$work/bad.demo" >"$work/game.log" 2>&1 || rc=$?
cat "$work/game.log"
[ "$rc" -eq 1 ] || fail "status $rc for a damaged demo"
[ "$(wc -l <"$work/game.log")" -eq 1 ] && grep -q "^vellin: $work/bad.demo: offset 8: " "$work/game.log" ||
  fail "not one line naming the file and the offset"
cp "$assets/stages/steps.stage" "$work/elsewhere.stage"
"$make_demo" --stage "$work/elsewhere.stage" --demo-version 3 "$work/short.keys" "$work/elsewhere.demo"
rc=0
"$vellin" --timedemo "$work/elsewhere.demo" >"$work/game.log" 2>&1 || rc=$?
[ "$rc" -eq 1 ] && [ "$(cat "$work/game.log")" = "vellin: $work/elsewhere.demo: needs the stage elsewhere (hash $(od -An -tx4 -j16 -N4 "$work/elsewhere.demo" | tr -d ' ')), not found in the stages folders (vellin --list-stages)" ] ||
  fail "a version 3 demo of a stage not found: status $rc, $(cat "$work/game.log")"

echo "-- a demo that holds its stage plays after the stage's file is gone, captured the same"
# The same layer and keys as short.demo under another stage's name: a second
# capture, whose files are the same as the first's.
"$make_demo" --stage "$work/elsewhere.stage" "$work/short.keys" "$work/carried.demo"
rm "$work/elsewhere.stage"
run_game --timedemo "$work/carried.demo" --capture "$work/b" --capture-every 2 ||
  fail "the demo that holds its stage did not play"
grep -Eq '^vellin: 23 frames, ' "$work/game.log" || fail "carried: $(cat "$work/game.log")"
diff -r "$work/a" "$work/b" >/dev/null || fail "two captures of the same stage and keys differ"
echo "demos end to end: all steps passed"
