#!/usr/bin/env bash
# window_shot's measures against pictures of known pixels (made by
# ImageMagick, whose compare and fx the end-to-end scripts used before and
# whose numbers they keep), and its grab of a real window: the picture shown
# comes back the same, at rest, and a still shot waits for a change.
#   window_shot_test.sh <window_shot> <work dir>    (under scripts/with-display)
set -euo pipefail
tool=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
cd "$work"
failed=0
expect() { # name, expected, command...
  local name=$1 want=$2 got
  shift 2
  got=$("$@" 2>&1) || true
  if [ "$got" = "$want" ]; then echo "ok: $name ($got)"; else
    echo "FAIL: $name: got '$got', want '$want'" >&2
    failed=1
  fi
}

# a: 40x20 black with a 10x10 square (200,100,50) at 5,5; b: the square moved
# 2 right, a pixel off by 25 and one by 26 in a single channel, and one by
# 20 in two (apart by over 10% of the whole range, but by no channel alone).
convert -size 40x20 xc:black -fill 'rgb(200,100,50)' -draw 'rectangle 5,5 14,14' a.png
convert a.png -fill black -draw 'rectangle 5,5 6,14' -fill 'rgb(200,100,50)' -draw 'rectangle 15,5 16,14' \
  -fill 'rgb(25,0,0)' -draw 'point 30,1' -fill 'rgb(0,26,0)' -draw 'point 31,1' \
  -fill 'rgb(20,20,0)' -draw 'point 32,1' b.png

im_ae() { compare -metric AE -fuzz 10% "$@" null: 2>&1 || true; }
im_rmse() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true; }
expect "differ as compare -fuzz 10%" "$(im_ae a.png b.png)" "$tool" differ a.png b.png
expect "differ: 20 gone, 20 new, 1 off" 41 "$tool" differ a.png b.png
expect "differ of a picture with itself" 0 "$tool" differ a.png a.png
expect "differ in a crop" 20 "$tool" differ a.png b.png 10x20+0+0
expect "rmse as compare" "$(im_rmse a.png b.png)" "$tool" rmse a.png b.png
expect "rmse of two crops" 0 "$tool" rmse a.png b.png 10x10+20+10 10x10+25+10
expect "mean as fx" "$(convert a.png -format '%[fx:int(mean * 1000)]' info:)" "$tool" mean a.png
expect "mean of a crop" 457 "$tool" mean a.png 5x5+5+5
expect "a crop cut to the picture" 87 "$tool" mean a.png 100x100+5+5
expect "pixels within bounds" 100 "$tool" pixels a.png 40x20+0+0 0.7 0.8 0.35 0.45 0.15 0.25
expect "pixels outside the bounds" 0 "$tool" pixels a.png 40x20+0+0 0.7 0.78 0.35 0.45 0.15 0.25
expect "first lit column" 5 "$tool" first a.png 7 60
expect "first: none lit" 0 "$tool" first a.png 1 60
expect "rows as -scale 1x! -threshold 1%" 5-14 "$tool" rows a.png
expect "not a crop" "window_shot: not a crop: 10x" "$tool" mean a.png 10x
expect "an unreadable picture" "window_shot: cannot read nothing.png" "$tool" differ a.png nothing.png

# The grab: display shows b, a still shot of it is b; a shot that must first
# leave b times out on the unchanging window and says so.
display -title shown -geometry +0+0 b.png &
shown=$!
trap 'kill "$shown" 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
  win=$(xdotool search --name '^shown$' 2>/dev/null | head -n 1) || true
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "FAIL: no window to grab" >&2; exit 1; }
expect "a still shot" 0 sh -c "'$tool' still $win still.png -1 10 300; echo \$?"
expect "the shot is the picture shown" 0 "$tool" differ still.png b.png
expect "drawn waits for lit pixels" 1 sh -c "'$tool' drawn $win dark.png 100000 0.5; echo \$?"
expect "still times out unchanged" 1 sh -c "'$tool' still $win moved.png -1 0.5 0 b.png; echo \$?"
expect "a window that is not there" 1 sh -c "'$tool' drawn 1 none.png -1 0.3 2>/dev/null; echo \$?"
[ "$failed" -eq 0 ] || exit 1
echo "window_shot: all passed"
