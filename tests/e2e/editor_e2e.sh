#!/usr/bin/env bash
# The stage editor end to end, in the real game under X: --edit opens a
# player's stage over the dimmed stage; codes typed at known cells change
# the recovery copy, Ctrl+S writes the file changed exactly there with its
# comment lines kept and the copy gone; F5 plays the stage and Escape comes
# back; Escape with nothing unsaved ends the game.
#   editor_e2e.sh <vellin> <shot_colours> <assets dir> <work dir>
set -euo pipefail
vellin=$1
colours=$2
assets=$3
work=$4
source "$(dirname "$0")/e2e_lib.sh"
fresh_work
export XDG_STATE_HOME=$work/home/state
stages=$XDG_DATA_HOME/vellin/stages
mkdir -p "$stages"
# Steps, with a comment of the player's between its rows.
awk 'NR == 6 { print "# my note between rows" } { print }' "$assets/stages/steps.stage" >"$stages/mine.stage"
cp "$stages/mine.stage" "$work/before.stage"

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
for _ in 1 2 3 4; do hold 0.1 Right; done
xdotool type --delay 150 15
hold 0.2 ctrl Home
hold 0.1 End
xdotool type --delay 150 9
recovery=$XDG_STATE_HOME/vellin/recovery
deadline=$((SECONDS + 10))
until ls "$recovery"/mine-*.stage >/dev/null 2>&1; do
  [ "$SECONDS" -lt "$deadline" ] || fail "no recovery copy after typing"
  sleep 0.2
done
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

echo "-- F5 plays the stage from the cursor's column, Escape comes back to the grid"
hold 0.1 Home
hold 0.2 F5
sleep 2
shot_still played
expect_walked typed played "test play looks like the editor"
hold 0.2 Escape
shot_still back
expect_walked played back "Escape did not bring the editor back"

echo "-- Escape leaves: nothing unsaved, the game ends"
quit_with_escape
echo "editor end to end: passed"
