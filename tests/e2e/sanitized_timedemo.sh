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
source "$(dirname "$0")/e2e_lib.sh"
fresh_work
demo=$work/sanitized.demo
"$make_demo" "$keys" "$demo"

[ -f "$driver" ] || fail "no GL driver at $driver"
# ASan must come first among the loaded libraries, before the driver.
asan=$(ldd "$vellin" | awk '/libasan\.so/ { print $3 }')
[ -f "$asan" ] || fail "$vellin is not linked with the ASan runtime"

rc=0
LD_PRELOAD="$asan $driver" ASAN_OPTIONS=detect_leaks=1 \
  LSAN_OPTIONS="suppressions=$suppressions:print_suppressions=0" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" run_game --timedemo "$demo" || rc=$?
cat "$work/game.log"
[ "$rc" -eq 0 ] || fail "the game ended with status $rc"
grep -Eq '^vellin: [0-9]+ frames, ' "$work/game.log" || fail "no timedemo line"
echo "sanitized timedemo: passed"
