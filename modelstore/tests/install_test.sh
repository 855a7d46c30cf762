#!/usr/bin/env bash
# Installs the library into a scratch prefix and builds a C program against it
# through pkg-config alone, as an outside user would.
#   install_test.sh <build dir> <cc>
set -euo pipefail
build=$1
cc=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
pc=$(dirname "$(find "$prefix" -name kelpmodel.pc)")
export PKG_CONFIG_PATH=$pc
cat >"$prefix/use.c" <<'C'
#include <kelpmodel.h>
#include <string.h>
int main(void) {
    kpModel model;
    memset(&model, 0, sizeof model);
    int bone = kpModel_AddBone(&model);
    kpBone_SetName(kpModel_GetBoneAt(&model, bone), "root");
    int found = kpModel_FindBoneByName(&model, "root");
    kpModel_Destroy(&model);
    return bone == 0 && found == 0 ? 0 : 1;
}
C
# shellcheck disable=SC2046
"$cc" -std=c11 -Wall -Wextra -Werror "$prefix/use.c" -o "$prefix/use" $(pkg-config --cflags --libs kelpmodel)
LD_LIBRARY_PATH=$(pkg-config --variable=libdir kelpmodel) "$prefix/use"
echo "installed library, header and kelpmodel.pc work from $prefix"
