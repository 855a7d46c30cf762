#!/usr/bin/env bash
# The stage editor end to end, in the real game under X: --edit opens a
# player's stage over the dimmed stage; codes typed at known cells change
# the recovery copy, Ctrl+S writes the file changed exactly there with its
# comment lines kept and the copy gone; a mouse click paints, undone and
# redone, and after a kill the next --edit offers the recovery copy; F5 plays the stage and Escape comes
# back; Escape with nothing unsaved ends the game.
# With a pad alone (fake_pad.so preloaded): a new stage, the stick moves,
# A paints, Start and A save it.
#   editor_e2e.sh <vellin> <shot_colours> <assets dir> <fake_pad.so> <work dir>
set -euo pipefail
vellin=$1
colours=$2
assets=$3
fake_pad=$4
work=$5
source "$(dirname "$0")/e2e_lib.sh"
fresh_work
export XDG_STATE_HOME=$work/home/state
recovery=$XDG_STATE_HOME/vellin/recovery
stages=$XDG_DATA_HOME/vellin/stages
mkdir -p "$stages"
# Steps, with a comment of the player's between its rows.
awk 'NR == 6 { print "# my note between rows" } { print }' "$assets/stages/steps.stage" >"$stages/mine.stage"
cp "$stages/mine.stage" "$work/before.stage"

# Waits up to 10 s until the recovery copy is there ($1 = yes) or gone (no);
# else fails with $2.
recovery_copy() {
  local deadline=$((SECONDS + 10))
  until { [ "$1" = yes ] && [ -n "$(ls "$recovery" 2>/dev/null)" ]; } ||
    { [ "$1" = no ] && [ -z "$(ls "$recovery" 2>/dev/null)" ]; }; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$2"
    sleep 0.1
  done
}

# The file's rows with cell (row, column) set to code, for each "row column code".
expect_cells() {
  awk -v set="$*" 'BEGIN { n = split(set, s, " "); for (i = 1; i <= n; i += 3) cell[s[i] "," s[i + 1]] = s[i + 2] }
    /^#/ { print; next }
    { ++row; line = $0
      for (k in cell) { split(k, rc, ","); if (rc[1] == row) line = substr(line, 1, rc[2] - 1) cell[k] substr(line, rc[2] + 1) }
      print line }' "$work/before.stage"
}

echo "-- --edit mine: the grid over the stage"
title='^Vellin - Steps$'
start_game --edit mine
shot_still editor
[ "$(count editor lit)" -gt 20000 ] || fail "the editor's picture is mostly dark"

echo "-- codes typed at row 3, columns 5 and 6, and at row 1, column 100"
hold 0.2 ctrl Home
for _ in 1 2; do hold 0.1 Down; done
# Fast, as a typist types: the keys count in the order they went down.
xdotool key --delay 15 Right Right Right Right 1 5
hold 0.2 ctrl Home
hold 0.1 End
xdotool type --delay 150 9
recovery_copy yes "no recovery copy after typing"
ls "$recovery"/mine-*.stage >/dev/null 2>&1 || fail "the recovery copy is not named for the stage"
cmp -s "$stages/mine.stage" "$work/before.stage" || fail "the stage was written before Ctrl+S"
shot_still typed

echo "-- Ctrl+S: the file changed exactly there, its comments kept, the copy gone"
hold 0.2 ctrl s
expect_cells 3 5 1 3 6 5 1 100 9 >"$work/expected.stage"
deadline=$((SECONDS + 10))
until cmp -s "$stages/mine.stage" "$work/expected.stage"; do
  [ "$SECONDS" -lt "$deadline" ] || { diff "$work/expected.stage" "$stages/mine.stage" >&2; fail "the saved file is not the one expected"; }
  sleep 0.2
done
[ "$(diff "$work/before.stage" "$stages/mine.stage" | grep -c '^>')" -eq 2 ] || fail "not exactly two lines changed"
ls "$recovery"/mine-*.stage >/dev/null 2>&1 && fail "the recovery copy stayed after saving"

echo "-- the mouse paints row 2, column 10; undone, redone; then the game is killed"
shot saved
hold 0.1 Home # the grid back at column 1
shot_changed_by home saved 20000 "Home did not bring the grid back to column 1"
xdotool mousemove --window "$win" 170 68 click 1
# Each change rewrites the recovery copy; undone to the saved stage, there is
# none.
recovery_copy yes "no recovery copy after painting"
hold 0.2 ctrl z
recovery_copy no "the recovery copy stayed after undoing the only change"
hold 0.2 ctrl y
cp "$stages/mine.stage" "$work/saved.stage"
recovery_copy yes "no recovery copy after redoing"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
cmp -s "$stages/mine.stage" "$work/saved.stage" || fail "the stage changed without Ctrl+S"

echo "-- opened again: the recovery copy offered, taken back and saved"
start_game --edit mine
shot_still offer
hold 0.1 Return
hold 0.2 ctrl s
expect_cells 3 5 1 3 6 5 1 100 9 2 10 1 >"$work/expected.stage"
deadline=$((SECONDS + 10))
until cmp -s "$stages/mine.stage" "$work/expected.stage"; do
  [ "$SECONDS" -lt "$deadline" ] || { diff "$work/expected.stage" "$stages/mine.stage" >&2; fail "the recovered stage was not saved"; }
  sleep 0.2
done

echo "-- F5 plays the stage from the cursor's column, Escape comes back to the grid"
hold 0.1 Home
shot recovered # any picture of the editor is far from one of play
hold 0.2 F5
shot_changed_by playing recovered 20000 "F5 did not start test play"
shot_still played
expect_walked typed played "test play looks like the editor"
hold 0.2 Escape
shot_changed_by leaving played 20000 "Escape did not leave test play"
shot_still back
expect_walked played back "Escape did not bring the editor back"

echo "-- Escape leaves: nothing unsaved, the game ends"
quit_with_escape

echo "-- a pad alone: a new stage, stick right, A paints, Start then A saves"
script=$work/pad.script
: >"$script"
# Pressed for a moment and let go, then shot $4 once the picture differs
# from shot $3 (the editor has seen it).
tap() {
  echo "$1 $2 1" >>"$script"
  sleep 0.25
  echo "$1 $2 0" >>"$script"
  shot_changed_by "$4" "$3" 20 "the editor showed nothing of the pad's $1 $2"
}
title='^Vellin - padstage$'
LD_PRELOAD=$fake_pad FAKE_PAD_SCRIPT=$script start_game --mute --edit padstage
shot_still pad
echo "axis 0 32767" >>"$script" # the stick right: the cursor to column 2
sleep 0.25
echo "axis 0 0" >>"$script"
shot_changed_by pad-moved pad 20 "the pad's stick did not move the cursor"
tap button 0 pad-moved pad-painted # A: paint
tap button 7 pad-painted pad-menu  # Start: the menu, on Save
echo "button 0 1" >>"$script"      # A: save
sleep 0.25
echo "button 0 0" >>"$script"
wait_for "$stages/padstage.stage" || fail "the pad's Save wrote no file"
row1=$(grep -v '^#' "$stages/padstage.stage" | head -1)
[ "${row1:0:3}" = 010 ] || fail "row 1 begins ${row1:0:3}, not 010"
quit_with_escape
echo "editor end to end: passed"
