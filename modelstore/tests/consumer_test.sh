#!/usr/bin/env bash
# Builds and runs a C program against an installed Kelpmodel, as an outside
# user would: once through pkg-config, once through find_package(Kelpmodel).
#   consumer_test.sh <prefix> <cc>
set -euo pipefail
prefix=$1
cc=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/use.c" <<'C'
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

pc=$(dirname "$(find "$prefix" -name kelpmodel.pc)")
export PKG_CONFIG_PATH=$pc
# The file names its install's prefix; a tree unpacked elsewhere is named so.
pc_here=(--define-variable=prefix="$prefix")
# shellcheck disable=SC2046
"$cc" -std=c11 -Wall -Wextra -Werror "$work/use.c" -o "$work/use-pc" \
  $(pkg-config "${pc_here[@]}" --cflags --libs kelpmodel)
LD_LIBRARY_PATH=$(pkg-config "${pc_here[@]}" --variable=libdir kelpmodel) "$work/use-pc"
echo "pkg-config: built and ran against $prefix"

cat >"$work/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.16)
project(use C)
find_package(Kelpmodel 1 REQUIRED)
add_executable(use use.c)
target_link_libraries(use PRIVATE Kelpmodel::kelpmodel)
CMAKE
CC=$cc cmake -S "$work" -B "$work/build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/build" >/dev/null
"$work/build/use"   # the imported library's directory is in its build RPATH
echo "find_package: built and ran against $prefix"
