#!/usr/bin/env bash
# The three programs wired to the one convention (its details are
# cmdline_test's), and the game's refusals of a settings file or a data
# directory named on purpose that it cannot use: one line on stderr, nothing
# on stdout, the status, and no window (DISPLAY is unset, so opening one
# would fail differently).
#   programs_test.sh <vellin> <kelpcheck> <vellin-view>
set -euo pipefail
vellin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config
unset DISPLAY VELLIN_DATA

fail() { echo "FAIL: $*" >&2; exit 1; }

# says <status> <first line of stderr> <program> <args>...
says() {
  local want=$1 line=$2 rc=0
  shift 2
  "$@" >"$work/out" 2>"$work/err" || rc=$?
  [ "$rc" -eq "$want" ] || fail "$*: status $rc, not $want"
  [ ! -s "$work/out" ] || fail "$*: printed on stdout"
  [ "$(head -n 1 "$work/err")" = "$line" ] || fail "$*: said '$(head -n 1 "$work/err")'"
  if [ "$want" -eq 2 ]; then
    grep -q "^Usage: $(basename "$1") " "$work/err" || fail "$*: no usage"
  else
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$*: more than one line"
  fi
}

for program in "$@"; do
  name=$(basename "$program")
  "$program" --help | grep -q "^Usage: $name " || fail "$name --help"
  "$program" --version | grep -qx "$name [0-9][0-9.]*" || fail "$name --version"
  says 2 "$name: unknown option '--hel'" "$program" --hel
done

# What each program's own table says about its operands.
says 2 "kelpcheck: missing FILE" "$2" -q
says 2 "vellin-view: unexpected argument 'b.txt'" "$3" a.txt b.txt

"$vellin" --print-config >"$work/out" 2>"$work/err" || fail "--print-config: status $?"
[ ! -s "$work/err" ] && grep -q '^\[settings\]' "$work/out" || fail "--print-config printed no settings"
mkdir "$work/nodata"
touch "$work/file" "$work/unreadable.cfg"
chmod 000 "$work/unreadable.cfg"
says 1 "vellin: --config $work/missing.cfg: No such file or directory" \
  "$vellin" --config "$work/missing.cfg"
says 1 "vellin: --config $work: Is a directory" "$vellin" --config="$work"
if [ "$(id -u)" -ne 0 ]; then  # root reads it anyway
  says 1 "vellin: --config $work/unreadable.cfg: Permission denied" \
    "$vellin" --config "$work/unreadable.cfg"
fi
says 1 "vellin: --data $work/missing: No such file or directory" "$vellin" --data "$work/missing"
says 1 "vellin: --data $work/file: Not a directory" "$vellin" --data "$work/file"
says 1 "vellin: --data $work/nodata: no trooper.txt in it" "$vellin" --data "$work/nodata"

# Nothing already there is replaced unless asked; a recording writes nothing before its first frame.
demo=$work/rec.demo
{ printf 'VELLDEMO\002\000\170\000\007\000\000\000'; for n in 720 720 100; do printf '\170\000' && head -c $n /dev/zero; done; } >"$demo.part" # 2 whole frames of 120 steps
cp "$demo.part" "$work/kept"
says 1 "vellin: $demo.part holds an unfinished recording (2 whole frames, 2 s of play): play it with --play $demo.part, rename it or remove it" \
  "$vellin" --record "$demo" --overwrite
mv "$demo.part" "$demo"
says 1 "vellin: $demo exists already: give --overwrite to replace it, or another name" "$vellin" --record "$demo"
! "$vellin" --record "$demo" --overwrite 2>/dev/null && cmp -s "$demo" "$work/kept" && [ ! -e "$demo.part" ] ||
  fail "--record changed $demo.part or wrote before a frame"
mkdir "$work/frames" && touch "$work/frames/frame-000001.png"
says 1 "vellin: $work/file: Not a directory" "$vellin" --timedemo demos/tour.demo --capture "$work/file"
says 1 "vellin: $work/frames holds captured frames already: give --overwrite to replace them, or another folder" \
  "$vellin" --timedemo demos/tour.demo --capture "$work/frames"
# Stages need no display: listed, checked, and a bad one refused in one line;
# a name is looked up in the player's folder first.
"$vellin" --list-stages >"$work/out" 2>"$work/err" && [ ! -s "$work/err" ] || fail "--list-stages"
steps=$(awk '$1 == "steps" { sub(":$", "", $2); print $2 }' "$work/out")
grep -qx "steps  *$steps: valid, Steps" "$work/out" || fail "--list-stages: $(cat "$work/out")"
printf '# name: Broken\n1x\n' >"$work/bad.stage"
! "$vellin" --check-stage "$steps" "$work/bad.stage" >"$work/out" ||
  fail "--check-stage passed a bad stage"
[ "$(head -n 2 "$work/out")" = "$steps: valid
$work/bad.stage:2:2: 'x' is not a tile code (0 empty, 1 ledge, 5 rock, 9 bridge)" ] ||
  fail "--check-stage said $(cat "$work/out")"
says 1 "vellin: --stage nosuch: no stage of that name (vellin --list-stages)" "$vellin" --stage nosuch
mine=$work/.local/share/vellin/stages
mkdir -p "$mine" && cp "$work/bad.stage" "$mine/steps.stage"
says 1 "vellin: $mine/steps.stage:2:2: 'x' is not a tile code (0 empty, 1 ledge, 5 rock, 9 bridge) (4 faults: vellin --check-stage $mine/steps.stage lists them)" \
  "$vellin" --stage steps
# From the settings file the same refusal lets the game go on with the jungle
# (here as far as the missing display).
printf '[settings]\nstage = nosuch\n' >"$work/stage.cfg"
! "$vellin" --config "$work/stage.cfg" >/dev/null 2>"$work/err" &&
  [ "$(head -n 1 "$work/err")" = "vellin: stage = nosuch: no stage of that name (vellin --list-stages); playing the jungle" ] &&
  grep -q "display" "$work/err" || fail "stage = nosuch: $(cat "$work/err")"
echo "the convention holds for $*; unusable --config and --data refused; --record and --capture keep what is there; stages listed, checked and refused"
