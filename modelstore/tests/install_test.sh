#!/usr/bin/env bash
# Installs the build into a scratch prefix and builds programs against the
# library installed there.
#   install_test.sh <build dir> <cc>
set -euo pipefail
build=$1
cc=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
cflags=$(PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name kelpmodel.pc)") pkg-config --cflags kelpmodel)
[ "${cflags% }" = "-I$prefix/include" ] || { echo "FAIL: pkg-config --cflags gives '$cflags'" >&2; exit 1; }
"$(dirname "$0")/consumer_test.sh" "$prefix" "$cc"
