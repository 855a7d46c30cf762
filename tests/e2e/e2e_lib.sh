# shellcheck shell=bash
# Sourced by the end-to-end scripts: a private home, starting a program and
# finding its window, screenshots and their colours, keys, and Escape. The
# script sets work (logs and shots), assets (the data folder), vellin and
# colours (shot_colours); and may set, for the script or for one call:
#   log    the started program's output (default $work/game.log)
#   dir    the folder it starts in (default $assets)
#   title  its window's name, a pattern (default ^Vellin - Jungle$)
#   what   how the messages name it (default "the game")

pid=""
win=""
# Every program a script starts in the background (launch, or its own "&")
# runs in a process group of its own (job control), with whatever it starts.
# Whenever the script ends, passed or failed, those groups are killed: a game
# left running would outlive the display that with-display stops next, and
# ctest would wait for it. A script adds its own clean-up with at_exit.
set -m
cleanup=""
at_exit() { cleanup+="$1"$'\n'; }
stop_started() {
  local status=$? group
  for group in $(jobs -p); do kill -KILL -- "-$group" 2>/dev/null || true; done
  keep_backtraces || status=1
  eval "$cleanup"
  exit "$status"
}
trap stop_started EXIT

# A program started here that dies by a signal dumps its core (the kernel
# writes "core", or "core.PID", into the program's working directory; until the
# game sets its own handlers, Allegro's end even a quit signal with SIGABRT,
# status 134). At the end every such core is moved into $work and its
# backtrace printed, so that a rare crash can be read afterwards; and the
# script fails, as no test expects a core.
core_dirs=""
in_dir() { core_dirs+="$1"$'\n'; }
keep_backtraces() {
  local d c n=0 program
  [ -n "$core_dirs" ] || return 0
  local -a with
  while IFS= read -r d; do
    for c in "$d"/core "$d"/core.[0-9]*; do
      [ -f "$c" ] && [ "$c" -nt "$work/.started" ] || continue
      n=$((n + 1))
      mv "$c" "$work/core-$n"
      program=$(file -b "$work/core-$n" | sed -n "s/.*execfn: '\([^']*\)'.*/\1/p")
      echo "FAIL: ${program:-a program} dumped core: $work/core-$n" >&2
      if command -v gdb >/dev/null; then
        with=()
        [ -z "$program" ] || with=("$program")
        gdb -batch -ex 'thread apply all bt' "${with[@]}" -c "$work/core-$n" >"$work/backtrace-$n.txt" 2>&1
        grep -E '^(Thread|#|Program terminated)' "$work/backtrace-$n.txt" | sed 's/^/  /' >&2
        echo "  (all of it in $work/backtrace-$n.txt)" >&2
      fi
    done
  done < <(sort -u <<<"$core_dirs")
  [ "$n" -eq 0 ]
}

fail() {
  echo "FAIL: $*" >&2
  for f in "$work"/*.log; do
    [ -s "$f" ] && sed "s|^|  $(basename "$f" .log): |" "$f" >&2
  done
  exit 1
}

# Empties $work and gives the programs a home in it: the developer's settings
# and files stay out of the test, and the test's out of theirs.
fresh_work() {
  rm -rf "$work"
  mkdir -p "$work/home/config" "$work/home/data"
  touch "$work/.started" # cores older than this are not this run's
  export XAUTHORITY=${XAUTHORITY:-${HOME:-}/.Xauthority} HOME=$work/home \
    XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
}

# Starts "$@" and waits up to 20 s for its 640x480 window; sets pid and win.
launch() {
  in_dir "${dir:-$assets}"
  (cd "${dir:-$assets}" && ulimit -S -c "$(ulimit -H -c)" && exec "$@") >"${log:-$work/game.log}" 2>&1 &
  pid=$!
  local deadline=$((SECONDS + 20)) rc=0
  while [ "$SECONDS" -lt "$deadline" ]; do
    for w in $(xdotool search --name "${title:-^Vellin - Jungle\$}" 2>/dev/null); do
      if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 640x480'; then
        win=$w
        return 0
      fi
    done
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" || rc=$?
      pid=""
      fail "${what:-the game} exited during start-up with status $rc"
    fi
    sleep 0.1
  done
  fail "no window of ${what:-the game} after 20 s"
}

focus() { xdotool windowfocus --sync "$win" 2>/dev/null || true; }
start_game() {
  launch "$vellin" --windowed "$@"
  focus
}
# Runs the game to its end.
run_game() {
  in_dir "${dir:-$assets}"
  (cd "${dir:-$assets}" && ulimit -S -c "$(ulimit -H -c)" && exec "$vellin" --windowed "$@") >"${log:-$work/game.log}" 2>&1
}

# Holds key(s) $2... for $1 seconds: one xdotool for the focus and the keys
# (each start of it costs tens of milliseconds on a loaded machine); should
# that fail (no window to focus), key by key as before.
hold() {
  local seconds=$1 k down=() up=()
  shift
  for k in "$@"; do
    down+=(keydown "$k")
    up+=(keyup "$k")
  done
  [ -n "$win" ] && xdotool windowfocus --sync "$win" "${down[@]}" sleep "$seconds" "${up[@]}" 2>/dev/null &&
    return 0
  focus
  for k in "$@"; do xdotool keydown "$k"; done
  sleep "$seconds"
  for k in "$@"; do xdotool keyup "$k"; done
}

# Holds Escape until the program has gone (it looks once a frame) and expects
# status 0. Up to 20 s.
quit_with_escape() {
  local what=${what:-the game} deadline=$((SECONDS + 20)) rc=0
  kill -0 "$pid" 2>/dev/null || fail "$what ended before Escape"
  focus
  xdotool keydown Escape
  while kill -0 "$pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || { xdotool keyup Escape; fail "$what did not end within 20 s of Escape"; }
    sleep 0.1
  done
  xdotool keyup Escape
  wait "$pid" || rc=$?
  pid=""
  [ "$rc" -eq 0 ] || fail "$what ended with status $rc after Escape"
}

# window_shot (beside shot_colours) grabs the window and compares pictures in
# one process: a shot costs a few milliseconds, where ImageMagick's import and
# compare cost a process start each. Its timeouts are seconds.
window_shot() { "${window_shot:-${colours%/*}/window_shot}" "$@"; }

# Shot $1 of the window, $work/$1.png (the window can be unreadable for a
# moment while it is remapped).
shot() { window_shot drawn "$win" "$work/$1.png" -1 2 || fail "cannot take screenshot $1"; }
# A shot by its name, any other picture by its path.
png() { case $1 in */*) echo "$1" ;; *) echo "$work/$1.png" ;; esac; }
# Pixels that differ between two pictures (by more than a little: ImageMagick's
# compare -metric AE -fuzz 10%).
differ() { window_shot differ "$(png "$1")" "$(png "$2")"; }
# Pixels of colour $2 (lit, green, rock, wood, olive, visor) in picture $1.
count() { "$colours" "$(png "$1")" | tr ' ' '\n' | sed -n "s/^$2=//p"; }

# Takes shot $1 once over $2 pixels (default 10000) are lit: the window is
# black until start-up is done. Up to 60 s.
wait_drawn() {
  window_shot drawn "$win" "$work/$1.png" "${2:-10000}" 60 || fail "nothing drawn within 60 s"
}

# Takes shot $1 once the picture is drawn (over $still_lit, default 10000,
# pixels lit) and at rest: no frame in still_ms (default 600) milliseconds
# differs from it, that is some 15 frames at the game's pace, and a frame
# late by half a second on a loaded machine still shows. Up to 60 s.
shot_still() {
  window_shot still "$win" "$work/$1.png" "${still_lit:-10000}" 60 "${still_ms:-600}" ||
    fail "the picture did not come to rest for $1"
}

# Takes shot $1 as soon as the picture differs from shot $2 (a key's effect
# has been drawn), without waiting for rest. Up to 10 s.
shot_changed() {
  window_shot still "$win" "$work/$1.png" -1 10 0 "$(png "$2")" ||
    fail "the picture did not change from $2 for $1"
}
# Takes shot $1 until it differs from shot $2 by over $3 pixels (a key's or
# the pad's effect has been drawn), up to 15 s; else fails with $4. Frames can
# be slow on a loaded machine, so a test waits on the picture, not the clock.
shot_changed_by() {
  local deadline=$((SECONDS + 15))
  until shot "$1" && [ "$(differ "$2" "$1")" -gt "$3" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$4"
    sleep 0.1
  done
}

# Walking scrolls the whole view (the camera follows the trooper): how many
# pixels changed from shot $1 to shot $2 tells whether he walked.
expect_walked() {
  local moved
  moved=$(differ "$1" "$2")
  echo "$2: $moved pixels changed"
  [ "$moved" -gt 20000 ] || fail "$3 ($moved pixels changed)"
}
expect_stood() {
  local moved
  moved=$(differ "$1" "$2")
  echo "$2: $moved pixels changed"
  [ "$moved" -lt 2000 ] || fail "$3 ($moved pixels changed)"
}

# Waits up to $2 seconds (default 10) for file $1, not empty.
wait_for() {
  local deadline=$((SECONDS + ${2:-10}))
  until [ -s "$1" ]; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
