#!/usr/bin/env bash
# scripts/with-display gives the command a fresh, empty XDG_CONFIG_HOME of its
# own, whatever the caller's, and removes it afterwards; VELLIN_KEEP_CONFIG=1
# keeps the caller's.
#   private_config_test.sh <with-display>
set -euo pipefail
with_display=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

inside=$(XDG_CONFIG_HOME=/caller/config "$with_display" sh -c \
  'test -d "$XDG_CONFIG_HOME" && test -z "$(ls -A "$XDG_CONFIG_HOME")" && echo "$XDG_CONFIG_HOME"') ||
  fail "the command had no empty folder of its own"
[ "$inside" != /caller/config ] || fail "the caller's XDG_CONFIG_HOME reached the command"
[ ! -e "$inside" ] || fail "$inside was left behind"
kept=$(XDG_CONFIG_HOME=/caller/config VELLIN_KEEP_CONFIG=1 "$with_display" sh -c 'echo "$XDG_CONFIG_HOME"')
[ "$kept" = /caller/config ] || fail "VELLIN_KEEP_CONFIG=1 did not keep the caller's folder"
echo "private config: $inside, removed afterwards; kept on request"
