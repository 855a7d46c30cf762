#!/usr/bin/env bash
# vellin --verify without a display: each shipped stage's par run is what
# make_demo makes of its key script and finishes in the README's par time; a
# demo that holds its stage finishes without the stage's file; every file
# that is not a finished demo gets its one line and status 1.
#   verify_test.sh <vellin> <make_demo> <assets dir>
set -euo pipefail
vellin=$1
make_demo=$2
assets=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
unset DISPLAY VELLIN_DATA

fail() { echo "FAIL: $*" >&2; exit 1; }

par=() want=""
for stage in jungle steps bridges warren; do
  "$make_demo" --stage "$assets/stages/$stage.stage" "$assets/stages/$stage.keys" "$work/$stage.demo"
  cmp -s "$work/$stage.demo" "$assets/demos/par/$stage.demo" ||
    fail "$stage: the par run is not what its script makes: make_demo --stage assets/stages/$stage.stage assets/stages/$stage.keys assets/demos/par/$stage.demo"
  par+=("$assets/demos/par/$stage.demo")
  want+="${want:+$'\n'}$assets/demos/par/$stage.demo: finished $stage in 1:05.000 (7800 steps)"
done
out=$("$vellin" --data "$assets" --verify "${par[@]}") || fail "par runs: $out"
echo "$out"
[ "$out" = "$want" ] || fail "par runs not each in its par time, in order"

# Each bad file beside a good one: one line each, in order, and status 1.
mkdir "$work/folder"
mkfifo "$work/fifo"
: >"$work/empty.demo"
# Steps' header is 1,626 bytes (its name and layer), then frames of 12 steps,
# 74 bytes each; its first 120 steps hold nothing, the rest Right (0x0002).
head -c 900 "$assets/demos/par/steps.demo" >"$work/layer.demo"
head -c 2000 "$assets/demos/par/steps.demo" >"$work/cut.demo"
cp "$assets/demos/par/steps.demo" "$work/damaged.demo"
printf '\040' | dd of="$work/damaged.demo" bs=1 seek=2961 conv=notrunc status=none
cp "$assets/demos/par/steps.demo" "$work/checksum.demo"
printf '\001' | dd of="$work/checksum.demo" bs=1 seek=3000 conv=notrunc status=none
echo "seed 1" >"$work/text.demo"
# Warren's 383 whole frames: Right held for 4,476 steps after the drop.
head -c 30000 "$assets/demos/par/warren.demo" >"$work/unfinished.demo.part"
# Bridges' par run on a copy of its stage that is gone by the time it is
# verified: carried in the demo, found nowhere in version 3.
cp "$assets/stages/bridges.stage" "$work/gone.stage"
"$make_demo" --stage "$work/gone.stage" "$assets/stages/bridges.keys" "$work/carried.demo"
"$make_demo" --stage "$work/gone.stage" --demo-version 3 "$assets/stages/bridges.keys" "$work/named.demo"
rm "$work/gone.stage"
rows=(
  "$work/carried.demo|$work/carried.demo: finished gone in 1:05.000 (7800 steps)"
  "demos/par/warren.demo|demos/par/warren.demo: finished warren in 1:05.000 (7800 steps)"
  "$work/named.demo|$work/named.demo: needs the stage gone (hash *), not found in the stages folders (vellin --list-stages)"
  "$assets/demos/par/steps.demo|$assets/demos/par/steps.demo: finished steps in 1:05.000 (7800 steps)"
  "$work/folder|$work/folder: a folder, not a demo"
  "$work/fifo|$work/fifo: a fifo, not a demo"
  "$work/empty.demo|$work/empty.demo: empty, not a demo"
  "$work/text.demo|$work/text.demo: not a demo (no VELLDEMO magic)"
  "$work/layer.demo|$work/layer.demo: cut short (offset 900: truncated stage layer)"
  "$work/cut.demo|$work/cut.demo: cut short (offset 2000: truncated inside frame 6)"
  "$work/damaged.demo|$work/damaged.demo: damaged (offset 2960: unknown key bits 0x2002)"
  "$work/missing.demo|$work/missing.demo: cannot read it: No such file or directory"
  "$work/checksum.demo|$work/checksum.demo: damaged (offset 50600: checksum 0x*, not 0x*: damaged)"
  "$work/unfinished.demo.part|$work/unfinished.demo.part: did not finish warren (furthest x 1179.0)"
  "$assets/demos/tour.demo|$assets/demos/tour.demo: did not finish jungle (furthest x 1427.0)"
)
files=()
for row in "${rows[@]}"; do
  files+=("${row%%|*}")
done
rc=0
# From a folder without demos/: a relative name is found in the data, as --play finds it.
(cd "$work" && timeout 20 "$vellin" --data "$assets" --verify "${files[@]}") >"$work/out" 2>"$work/err" || rc=$?
cat "$work/out"
[ "$rc" -eq 1 ] || fail "status $rc with bad files among them"
[ ! -s "$work/err" ] || fail "said on stderr: $(cat "$work/err")"
mapfile -t lines <"$work/out"
[ "${#lines[@]}" -eq "${#rows[@]}" ] || fail "${#lines[@]} lines for ${#rows[@]} files"
for i in "${!rows[@]}"; do
  want=${rows[$i]#*|}
  # shellcheck disable=SC2053  # a pattern: the checksum's values vary
  [[ "${lines[$i]}" == $want ]] || fail "line $((i + 1)): '${lines[$i]}', not '$want'"
done
echo "verify: all steps passed"
