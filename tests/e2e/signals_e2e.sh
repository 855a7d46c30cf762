#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP end the game as Escape does, and then kill it
# with the same signal (status 128+N, no core dump): during play, during a
# recording (which is then at its final name and plays), during start-up,
# with the signal blocked by the parent, and in the model viewer; and a program that crashes
# leaves its core and backtrace for the test to show.
#   signals_e2e.sh <vellin> <vellin-view> <shot_colours> <assets dir> <work dir>
set -euo pipefail
vellin=$1
view=$2
colours=$3
assets=$4
work=$5
source "$(dirname "$0")/e2e_lib.sh"
fresh_work

# Starts "$@" with the three signals at their default action (a script's
# background job would ignore SIGINT), waits for its window and, for the game,
# its first picture: the game takes the signals over only once started (on a
# loaded machine opening the window alone can take seconds); the viewer gets
# a second.
start() {
  what="$*" launch env --default-signal=TERM,INT,HUP "$@"
  case " $* " in
    *" $vellin "*) wait_drawn started ;;
    *) sleep 1 ;;
  esac
}

# Sends signal $1 and expects the process to end within 10 s with status $2.
signal_ends() {
  kill -s "$1" "$pid"
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "still running 10 s after SIG$1"
  local rc=0
  wait "$pid" 2>/dev/null || rc=$?
  pid=""
  [ "$rc" -eq "$2" ] || fail "SIG$1 gave status $rc, not $2"
}

for sig in TERM:143 INT:130 HUP:129; do
  name=${sig%:*}
  echo "-- SIG$name during play, then during a recording"
  start "$vellin" --windowed
  signal_ends "$name" "${sig#*:}"
  start "$vellin" --windowed --record "$work/$name.demo"
  signal_ends "$name" "${sig#*:}"
  [ -e "$work/$name.demo.part" ] && fail "SIG$name left the recording's .part file"
  [ -s "$work/$name.demo" ] || fail "SIG$name left no recording"
  run_game --timedemo "$work/$name.demo" || fail "the recording ended by SIG$name does not play"
done

echo "-- SIGTERM during start-up, before the window (Allegro's own handlers abort)"
in_dir "$assets"
(cd "$assets" && exec env --default-signal=TERM "$vellin" --windowed) >"$work/early.log" 2>&1 &
pid=$!
sleep 0.1
signal_ends TERM 143

echo "-- SIGTERM blocked by the parent"
start env --block-signal=TERM "$vellin" --windowed
signal_ends TERM 143

echo "-- a program killed by a crash leaves its core and backtrace in the work folder"
mkdir "$work/crash"
printf '#!/bin/sh\nkill -SEGV $$\n' >"$work/crash/crash"
chmod +x "$work/crash/crash"
rc=0
dir=$work/crash vellin=$work/crash/crash run_game || rc=$?
[ "$rc" -eq 139 ] || fail "the crash ended with status $rc, not 139"
! (keep_backtraces 2>"$work/crash.out") || fail "the core of the crash was not found"
[ -s "$work/core-1" ] && [ ! -e "$work/crash/core" ] || fail "the core was not moved to $work"
grep -q "dumped core: $work/core-1" "$work/crash.out" || fail "the core was not named: $(cat "$work/crash.out")"
if command -v gdb >/dev/null; then
  grep -q 'SIGSEGV' "$work/backtrace-1.txt" || fail "no backtrace: $(cat "$work/crash.out")"
fi

echo "-- SIGTERM ends the model viewer"
title='^vellin-view: ' start "$view" "$assets/trooper.txt"
signal_ends TERM 143
echo "signals end to end: all steps passed"
