#!/usr/bin/env bash
# vellin-view on files it cannot show: a missing file, a directory, and a
# file in which the reader finds nothing. Each gives one line on stderr naming
# the file and why, nothing on stdout, and status 1, before any window opens
# (DISPLAY is unset, so a window would fail differently).
#   refuses_test.sh <vellin-view>
set -euo pipefail
view=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '// a comment\nFrames: 10\n' >"$work/empty.txt"

refuses() {
  local file=$1 reason=$2 rc=0
  env -u DISPLAY "$view" "$file" >"$work/out" 2>"$work/err" || rc=$?
  [ "$rc" -eq 1 ] || { echo "FAIL: $file: status $rc, not 1" >&2; cat "$work/err" >&2; exit 1; }
  [ ! -s "$work/out" ] || { echo "FAIL: $file: printed on stdout" >&2; exit 1; }
  [ "$(cat "$work/err")" = "vellin-view: $file: $reason" ] ||
    { echo "FAIL: $file: said '$(cat "$work/err")'" >&2; exit 1; }
  echo "$file: $reason"
}

refuses "$work/missing.txt" "No such file or directory"
refuses "$work" "Is a directory"
refuses "$work/empty.txt" "no mesh and no bone in it: nothing to show"

# A bad --frames range is a usage error (status 2), never a wrapped number.
for range in 99999999999-3 3-99999999999 5-2 -1-3 3- 3-4x; do
  rc=0
  env -u DISPLAY "$view" --frames "$range" "$work/empty.txt" >/dev/null 2>&1 || rc=$?
  [ "$rc" -eq 2 ] || { echo "FAIL: --frames $range: status $rc, not 2" >&2; exit 1; }
done
echo "bad --frames ranges: status 2"
