#!/usr/bin/env bash
# The window as the desktop sees it and at twice the size: the class, process,
# machine and icon of the game's and the viewer's windows, a 1280 by 960
# window for --scale 2, and its picture, halved, matching the 640 by 480 one.
#   window_e2e.sh <vellin> <vellin-view> <assets dir> <work dir>
set -euo pipefail
vellin=$1
view=$2
assets=$3
work=$4
source "$(dirname "$0")/e2e_lib.sh"
fresh_work
log=$work/run.log

# Waits for the mapped window of process $pid; sets win.
find_window() {
  for _ in $(seq 1 200); do
    win=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)
    [ -n "$win" ] && return 0
    kill -0 "$pid" 2>/dev/null || fail "$1 exited during start-up"
    sleep 0.1
  done
  fail "no window of $1 after 20 s"
}

# The properties of window $win against program $1 with class $2.
check_hints() {
  local props=$work/$1.props
  xprop -id "$win" >"$props"
  grep -qx "WM_CLASS(STRING) = \"$1\", \"$2\"" "$props" ||
    fail "$1: $(grep WM_CLASS "$props" || echo no WM_CLASS)"
  grep -qx "_NET_WM_PID(CARDINAL) = $pid" "$props" ||
    fail "$1 (pid $pid): $(grep _NET_WM_PID "$props" || echo no _NET_WM_PID)"
  grep -qx "WM_CLIENT_MACHINE(STRING) = \"$(hostname)\"" "$props" ||
    fail "$1: $(grep WM_CLIENT_MACHINE "$props" || echo no WM_CLIENT_MACHINE)"
  local sizes
  sizes=$(sed -n 's/.*Icon (\([0-9]*\) x \([0-9]*\)).*/\1x\2/p' "$props" | paste -sd ' ')
  [ "$sizes" = "16x16 32x32 48x48 64x64 128x128" ] || fail "$1: icons: ${sizes:-none}"
}

(cd "$assets" && exec "$vellin" --windowed --scale 2 --mute) >"$log" 2>&1 &
pid=$!
find_window vellin
xdotool getwindowgeometry "$win" | grep -q 'Geometry: 1280x960' ||
  fail "--scale 2: $(xdotool getwindowgeometry "$win" | grep Geometry)"
check_hints vellin Vellin
what=vellin quit_with_escape

"$view" "$assets/trooper.txt" >"$log" 2>&1 &
pid=$!
find_window vellin-view
check_hints vellin-view Vellin-view
what=vellin-view quit_with_escape

# The first frames of the tour at both sizes.
head -c 3000 "$assets/demos/tour.demo" >"$work/short.demo.part"
for scale in 1 2; do
  run_game --scale "$scale" --timedemo "$work/short.demo.part" --capture "$work/x$scale" || fail "timedemo at scale $scale"
done
last=$(basename "$(ls "$work/x1"/frame-*.png | tail -n 1)")
[ "$(identify -format '%wx%h' "$work/x2/$last")" = 1280x960 ] ||
  fail "scale 2 captured $(identify -format '%wx%h' "$work/x2/$last")"
convert "$work/x2/$last" -scale 50% "$work/halved.png"
# Lines and edges land on slightly other pixels: RMSE 0.016 measured; a wrong
# view gives several times that.
rmse=$(compare -metric RMSE "$work/x1/$last" "$work/halved.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
echo "$last: RMSE $rmse between the picture at scale 1 and at scale 2 halved"
awk -v e="$rmse" 'BEGIN { exit !(e < 0.03) }' || fail "scale 2 halved differs: RMSE $rmse"
# The palm crowns' band of that frame (rows 150 to 270): its mean green is the
# same when the crowns' lines are twice as wide (0.00006 apart, measured), not
# when they keep their width (0.0044).
green() { convert "$1" -crop 640x120+0+150 -format '%[fx:mean.g]' info:; }
g1=$(green "$work/x1/$last")
g2=$(green "$work/halved.png")
echo "crowns' mean green: $g1 at scale 1, $g2 at scale 2 halved"
awk -v a="$g1" -v b="$g2" 'BEGIN { d = a - b; exit !(d < 0.0015 && d > -0.0015) }' ||
  fail "the crowns at scale 2 are not twice as wide: mean green $g2 against $g1"
echo "window_e2e: all passed"
