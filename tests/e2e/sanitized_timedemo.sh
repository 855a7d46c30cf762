#!/usr/bin/env bash
# The sanitizer-built game plays a short demo as a timedemo and must end with
# status 0: any leak, bad memory access or undefined behaviour in it fails.
#   sanitized_timedemo.sh <vellin> <make_demo> <keys> <assets dir> <GL driver>
#                         <suppressions> <work dir>
# The GL driver is preloaded so that it stays loaded when libGL closes it at
# exit: LeakSanitizer then still sees its globals (what they point to is not
# reported) and can name its frames for the suppressions, instead of
# "<unknown module>" that nothing can match.
set -euo pipefail
vellin=$1
make_demo=$2
keys=$3
assets=$4
driver=$5
suppressions=$6
work=$7
rm -rf "$work"
mkdir -p "$work/home" "$work/config" "$work/data"
demo=$work/sanitized.demo
"$make_demo" "$keys" "$demo"

[ -f "$driver" ] || { echo "FAIL: no GL driver at $driver" >&2; exit 1; }
# ASan must come first among the loaded libraries, before the driver.
asan=$(ldd "$vellin" | awk '/libasan\.so/ { print $3 }')
[ -f "$asan" ] || { echo "FAIL: $vellin is not linked with the ASan runtime" >&2; exit 1; }

rc=0
(cd "$assets" && exec env HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
  XDG_DATA_HOME="$work/data" LD_PRELOAD="$asan $driver" \
  ASAN_OPTIONS=detect_leaks=1 \
  LSAN_OPTIONS="suppressions=$suppressions:print_suppressions=0" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  "$vellin" --windowed --timedemo "$demo") >"$work/game.log" 2>&1 || rc=$?
cat "$work/game.log"
[ "$rc" -eq 0 ] || { echo "FAIL: the game ended with status $rc" >&2; exit 1; }
grep -Eq '^vellin: [0-9]+ frames, ' "$work/game.log" || { echo "FAIL: no timedemo line" >&2; exit 1; }
echo "sanitized timedemo: passed"
