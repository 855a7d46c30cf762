#!/usr/bin/env bash
# Pause end to end, in the real game under X: P freezes the picture while a
# walking key is held and resumes without catching up; the pause menu changes
# the volume and moves Walk right to D (after a refused Left, the prompt still
# waiting), writing both to the settings file (its other lines kept), and
# Back to the start puts the trooper back; Stages refuses a broken stage and
# plays Steps at once (title and picture); the next start walks on D, shows
# REC while it records, and its recording, across R (Back to the start),
# plays back to the same end; with "focus", the game pauses when another
# window takes the keyboard focus, and Escape quits while paused.
#   pause_e2e.sh <vellin> <shot_colours> <assets dir> <work dir> [focus]
set -euo pipefail
vellin=$1
colours=$2
assets=$3
work=$4
part=${5:-keys}
source "$(dirname "$0")/e2e_lib.sh"
fresh_work
mkdir -p "$XDG_CONFIG_HOME/vellin"
cfg=$XDG_CONFIG_HOME/vellin/vellin.cfg
printf '# mine\n[settings]\npause_on_focus_loss = 1\n' >"$cfg"
screenshots="$XDG_DATA_HOME/vellin/screenshots"

# Mean brightness, 0 to 1000, of a band across the foot, below the menu.
brightness() { window_shot mean "$(png "$1")" 640x140+0+335; }
# The cliff's left end: the first lit column on a row through the rock. It
# moves left as the trooper walks right (the camera follows him), about 65
# pixels a second.
edge() { window_shot first "$(png "$1")" 260 60; }
# Takes shot $1 until its foot is darker than $2 (the paused screen dims the
# picture), for up to 10 s; what it shows then is for the caller to judge.
shot_dimmed() {
  local deadline=$((SECONDS + 10))
  until shot "$1" && [ "$(brightness "$1")" -lt "$2" ]; do
    [ "$SECONDS" -lt "$deadline" ] || return 0
    sleep 0.1
  done
}
# Presses key $1 and waits until its effect is drawn (the picture leaves the
# one before; in the menus nothing else moves), kept as shot $2.
press() {
  shot before-key
  hold 0.1 "$1"
  shot_changed "${2:-pressed}" before-key
}

# Walks right, pauses with Right held, and resumes still holding it. Saves
# the kept frame as screenshot 1 while paused.
walk_across_pause() {
  shot_still start
  xdotool keydown Right
  sleep 0.5
  hold 0.3 p
  shot_still paused-a
  hold 0.3 F12
  wait_for "$screenshots/vellin-0001.png" || fail "no screenshot 1"
  sleep 1
  shot paused-b
  xdotool keydown p
  sleep 0.3
  xdotool keyup Right p
}

# Chooses a menu entry $1 rows down from the one chosen (Enter), and waits
# for what it opens to be drawn.
menu_pick() {
  for _ in $(seq 1 "$1"); do press Down; done
  press Return
}

if [ "$part" = keys ]; then
  echo "-- P pauses while Right is held, and the walk goes on from there"
  start_game --seed 7
  walk_across_pause
  shot_still resumed
  # Below the menu, whose note says where the screenshot went.
  frozen=$(window_shot differ "$work/paused-a.png" "$work/paused-b.png" 640x110+0+370)
  start=$(edge start)
  paused=$(edge "$screenshots/vellin-0001.png")
  resumed=$(edge resumed)
  echo "paused shots differ in $frozen pixels; cliff end at $start, $paused paused, $resumed resumed"
  [ "$frozen" -lt 20 ] || fail "the paused picture changed"
  [ "$((start - paused))" -gt 10 ] || fail "the trooper did not walk before the pause"
  # 0.3 s of walking after the pause is about 20 pixels; catching up on the
  # 1.5 s paused would be about 100 more.
  [ "$((paused - resumed))" -lt 60 ] || fail "the walk jumped ahead after the pause"
  [ "$((paused - resumed))" -gt 0 ] || fail "the trooper did not walk on after the pause"

  echo "-- the menu: volume down a step, Walk right on D, Back to the start"
  press p menu
  menu_pick 2                         # Settings
  for _ in 1 2; do press Down; done   # Volume
  press Left settings
  press Escape # back to the first screen, not a quit
  # Controls by the mouse: its line is at row 227 of the first screen.
  shot before-click
  xdotool mousemove --window "$win" 320 227 click 1
  shot_changed clicked before-click
  menu_pick 1   # Walk right
  hold 0.1 Left # Walk left's: refused, and the prompt waits on
  shot_still waiting
  press d controls
  press BackSpace
  press p
  shot_still before-d
  hold 1 d
  shot_still after-d
  walked=$(($(edge before-d) - $(edge after-d)))
  echo "D walked the cliff's end $walked pixels"
  [ "$walked" -gt 30 ] || fail "D does not walk right"
  press p
  menu_pick 1 # Back to the start
  shot_still restarted
  echo "cliff end at $(edge restarted) after Back to the start, $start at the start"
  [ "$(differ start restarted)" -lt 2000 ] || fail "Back to the start did not put the trooper back"

  echo "-- Stages: a broken stage of one's own is refused, Steps plays at once"
  # Made while the game runs: the list is read when the screen opens.
  mkdir -p "$XDG_DATA_HOME/vellin/stages"
  printf '# name: Broken\n0000x\n' >"$XDG_DATA_HOME/vellin/stages/broken.stage"
  press p
  menu_pick 4 # Stages
  hold 0.1 Return # Broken, the player's, listed first
  shot_still refused
  title_of() { xprop -id "$win" WM_NAME | sed 's/.*= //'; }
  [ "$(title_of)" = '"Vellin - Jungle"' ] || fail "a broken stage was played: $(title_of)"
  for _ in 1 2 3; do press Down; done # bridges, jungle, steps
  shot_still stages
  # The chosen stage's map under the menu: its rock and ledges as flat
  # squares, colour by colour within 0.02.
  rock=$(window_shot pixels "$work/stages.png" 640x480+0+0 0.53 0.57 0.48 0.52 0.43 0.47)
  ledge=$(window_shot pixels "$work/stages.png" 640x480+0+0 0.33 0.37 0.73 0.77 0.28 0.32)
  echo "Steps' map: $rock rock and $ledge ledge pixels"
  [ "$rock" -gt 3000 ] && [ "$ledge" -gt 300 ] || fail "no map of Steps on the Stages screen"
  hold 0.1 Return
  shot_changed switching stages # the stage takes a moment to load
  shot_still switched
  echo "after the switch: $(title_of), $(differ restarted switched) pixels from the jungle's start"
  [ "$(title_of)" = '"Vellin - Steps"' ] || fail "the title did not follow the switch"
  [ "$(differ restarted switched)" -gt 20000 ] || fail "the picture is still the jungle's"
  quit_with_escape
  head -n 1 "$cfg" | grep -qx '# mine' || fail "the comment line is gone: $(cat "$cfg")"
  grep -qx 'volume = 90' "$cfg" || fail "no new volume in the file: $(cat "$cfg")"
  grep -qx 'right = D' "$cfg" || fail "Walk right not on D in the file: $(cat "$cfg")"
  grep -q 'pause_on_focus_loss = 1' "$cfg" || fail "a line not changed was rewritten"

  echo "-- the next start walks on D; a recording across the menu plays back to the same end"
  rm -rf "$screenshots"
  start_game --seed 7 --record "$work/paused.demo"
  shot_still start2
  # REC in the picture's top right corner, red, over the sky and the palms.
  red=$(window_shot pixels "$work/start2.png" 70x30+570+0 0.7 2 -1 0.4 -1 2)
  echo "REC mark: $red red pixels"
  [ "$red" -gt 30 ] || fail "no REC mark while recording"
  hold 1 d
  shot walked2 # at once: every frame recorded is one more to play back
  expect_walked start2 walked2 "D does not walk right after a new start"
  press r # Back to the start
  hold 0.5 d
  shot_still end
  hold 0.3 F12
  wait_for "$screenshots/vellin-0001.png" || fail "no screenshot"
  quit_with_escape
  run_game --timedemo "$work/paused.demo" --capture "$work/capture" || fail "the recording does not play"
  last=$(ls "$work/capture" | tail -n 1)
  apart=$(differ "$screenshots/vellin-0001.png" "$work/capture/$last")
  echo "the recording's end and its playback's last frame differ in $apart pixels"
  [ "$apart" -lt 20 ] || fail "the playback ends elsewhere than the recording"
else
  echo "-- another window taking the focus pauses; P resumes"
  launch "$vellin" --windowed --seed 7 # the pointer's focus, as the window manager leaves it
  shot_still running
  # The keys passing from the pointer's focus to the window's own is no loss.
  xdotool windowfocus --sync "$win"
  still_ms=1000 shot_still own # a pause would show within a second
  [ "$(brightness "$work/own.png")" -gt "$(($(brightness "$work/running.png") * 3 / 4))" ] ||
    fail "focusing the game itself paused it"
  display -title other -geometry 100x100+700+500 "$work/running.png" &
  other_pid=$!
  for _ in $(seq 1 100); do
    other_win=$(xdotool search --name '^other$' 2>/dev/null | tail -n 1) || true
    [ -n "$other_win" ] && break
    sleep 0.1
  done
  [ -n "${other_win:-}" ] || fail "no second window"
  xdotool windowfocus --sync "$other_win"
  bright=$(brightness running)
  shot_dimmed away "$((bright / 2))"
  dimmed=$(brightness away)
  echo "brightness: $bright running, $dimmed with the focus away"
  [ "$dimmed" -lt "$((bright / 2))" ] || fail "the game did not pause when it lost the focus"
  xdotool windowfocus --sync "$win"
  kill "$other_pid"
  wait "$other_pid" 2>/dev/null || true
  other_pid=""
  still_lit=0 still_ms=1000 shot_still refocused # a resume would show within a second
  [ "$(brightness "$work/refocused.png")" -lt "$((bright / 2))" ] || fail "the focus alone resumed"
  hold 0.3 p
  shot_changed resuming refocused # at rest only once the resume is drawn
  shot_still back
  back=$(differ running back)
  [ "$back" -lt 20 ] || fail "after P the picture is not the one before the pause ($back pixels)"
  echo "-- Escape quits while paused"
  hold 0.3 p
  shot_dimmed paused "$((bright / 2))"
  [ "$(brightness "$work/paused.png")" -lt "$((bright / 2))" ] || fail "P did not pause"
  quit_with_escape
fi
echo "pause end to end ($part): all steps passed"
