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
"$(dirname "$0")/consumer_test.sh" "$prefix" "$cc"
