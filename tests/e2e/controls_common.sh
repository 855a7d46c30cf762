# Sourced by the controls end-to-end tests: start the game in a window, take
# screenshots, wait for the picture to rest, and quit. Expects $vellin,
# $assets and $shots set, and the caller's environment for the game.

fail() {
  echo "FAIL: $*" >&2
  [ -s "$shots/game.log" ] && sed 's/^/  game: /' "$shots/game.log" >&2
  exit 1
}

game_pid=""
game_win=""
trap '[ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true' EXIT

# Starts the game from the data folder with arguments $@ and waits for its
# 640x480 window.
start_game() {
  (cd "$assets" && exec "$vellin" --windowed "$@") >"$shots/game.log" 2>&1 &
  game_pid=$!
  for _ in $(seq 1 150); do
    for w in $(xdotool search --name '^vellin$' 2>/dev/null); do
      if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 640x480'; then
        game_win=$w
        xdotool windowfocus --sync "$game_win" 2>/dev/null || true
        return 0
      fi
    done
    kill -0 "$game_pid" 2>/dev/null || fail "the game exited during start-up"
    sleep 0.1
  done
  fail "no game window after 15 s"
}

shot() { import -window "$game_win" "$shots/$1.png"; }

# Pixels that differ between two screenshots (by more than a little).
differ() { compare -metric AE -fuzz 10% "$shots/$1.png" "$shots/$2.png" null: 2>&1 || true; }

# Waits up to 30 s for the first frame: black until start-up is done.
wait_drawn() {
  local deadline=$((SECONDS + 30)) lit
  while :; do
    shot "$1"
    lit=$("$colours" "$shots/$1.png" | tr ' ' '\n' | sed -n 's/^lit=//p')
    [ "$lit" -gt 10000 ] && return 0
    [ "$SECONDS" -ge "$deadline" ] && fail "nothing drawn within 30 s"
    sleep 0.2
  done
}

# Takes shot $1 once two shots half a second apart agree. Up to 15 s.
shot_still() {
  local deadline=$((SECONDS + 15))
  shot "$1-a"
  while :; do
    sleep 0.5
    shot "$1"
    [ "$(differ "$1-a" "$1")" -lt 20 ] && rm -f "$shots/$1-a.png" && return 0
    [ "$SECONDS" -ge "$deadline" ] && fail "the picture did not come to rest for $1"
    mv "$shots/$1.png" "$shots/$1-a.png"
  done
}

# Holds key(s) $2... for $1 seconds.
hold() {
  local seconds=$1
  shift
  xdotool windowfocus --sync "$game_win" 2>/dev/null || true
  for k in "$@"; do xdotool keydown "$k"; done
  sleep "$seconds"
  for k in "$@"; do xdotool keyup "$k"; done
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

# Escape ends the game with status 0, whatever the settings say.
quit_game() {
  xdotool windowfocus --sync "$game_win" 2>/dev/null || true
  xdotool keydown Escape
  local deadline=$((SECONDS + 15)) rc=0
  while kill -0 "$game_pid" 2>/dev/null; do
    [ "$SECONDS" -ge "$deadline" ] && { xdotool keyup Escape; fail "Escape did not end the game"; }
    sleep 0.1
  done
  xdotool keyup Escape
  wait "$game_pid" || rc=$?
  game_pid=""
  [ "$rc" -eq 0 ] || fail "the game ended with status $rc after Escape"
}
