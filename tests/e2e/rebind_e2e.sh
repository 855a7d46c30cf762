#!/usr/bin/env bash
# The settings file moves walking to other keys: with left = J and right = L
# in $XDG_CONFIG_HOME/vellin/vellin.cfg, Right no longer walks and L does; a
# bad entry is named on one line with its line number and the game still
# starts. The file is written as an editor might: a byte-order mark, [Keys].
#   rebind_e2e.sh <vellin> <shot_colours> <assets dir> <screenshot dir>
set -euo pipefail
vellin=$1
colours=$2
assets=$3
work=$4
source "$(dirname "$0")/e2e_lib.sh"
fresh_work
config=$XDG_CONFIG_HOME/vellin/vellin.cfg
mkdir -p "$(dirname "$config")"
printf '\xef\xbb\xbf' >"$config"
cat >>"$config" <<'CFG'
[Keys]
left = J
right = L
up = NOPE
CFG

echo "-- the game starts with the file read; one line for the bad entry"
start_game --mute
wait_drawn first
shot_still start
grep -qx "$config:4: \[Keys\] up: unknown key name 'NOPE'; keeping the default" \
  "$work/game.log" || fail "the bad entry was not named as expected"
[ "$(wc -l <"$work/game.log")" -eq 1 ] || fail "the game said more than one line"

echo "-- Right no longer walks"
hold 1 Right
shot_still right
expect_stood start right "Right walked though the file moved walking right to L"

echo "-- L walks"
hold 1.5 l
shot_still walk
expect_walked right walk "L did not walk"

quit_with_escape
echo "rebind end-to-end: all steps passed"
