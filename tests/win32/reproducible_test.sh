#!/usr/bin/env bash
# Builds kestrova.exe from two copies of the sources at two other paths,
# with this build's toolchain, flags and publisher, and checks that both,
# and this build's own, are the same bytes: no time stamp and no path gets in.
#   reproducible_test.sh SOURCE_DIR KESTROVA_EXE TOOLCHAIN_FILE CXX_FLAGS LINKER_FLAGS [-DSETTING=VALUE ...]
set -euo pipefail
source "$(dirname "$0")/../support/checks.sh"
source=$1 exe=$2 toolchain=$(basename "$3") cxx_flags=$4 linker_flags=$5
settings=("${@:6}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
places=("$work/one/kestrova" "$work/another/place/deeper/src")
for place in "${places[@]}"; do
  mkdir -p "$place"
  tar -C "$source" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$place" -xf -
  cmake -S "$place" -B "$place/out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$place/cmake/$toolchain" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DKESTROVA_WERROR=ON -DKESTROVA_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS_MINSIZEREL="$cxx_flags" -DCMAKE_EXE_LINKER_FLAGS_MINSIZEREL="$linker_flags" \
    "${settings[@]}" >/dev/null
  cmake --build "$place/out" --target kestrova -j2 >/dev/null
  sleep 1  # a second later
done
for place in "${places[@]}"; do
  check "built at $place/out, the same bytes as this build's" cmp "$place/out/kestrova.exe" "$exe"
done
summary
