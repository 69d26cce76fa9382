#!/usr/bin/env bash
# Installs each built target into a prefix and builds tests/package against
# it; then builds it once more for ARCH with the source tree added by
# add_subdirectory (each architecture's suite builds its own). Each hello.exe
# must carry the manifest, which MANIFESTCHECK (a Windows program) reads back.
# Usage: build_consumer.sh SOURCE_ROOT BUILD_ROOT ARCH MANIFESTCHECK
set -euo pipefail
root=$1 build=$2 own=$3 check=$4
made=()
for arch in i686 x86_64; do
    [ -f "$build/$arch/CMakeCache.txt" ] || { echo "package: no $arch build to install" >&2; exit 1; }
    prefix="$build/package/$arch"
    rm -rf "$prefix" "$build/package/consumer-$arch"
    cmake --install "$build/$arch" --prefix "$prefix" >/dev/null
    cmake -S "$root/tests/package" -B "$build/package/consumer-$arch" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-w64-mingw32.cmake" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
    cmake --build "$build/package/consumer-$arch" >/dev/null
    [ -f "$build/package/consumer-$arch/hello.exe" ] || { echo "package: no hello.exe for $arch" >&2; exit 1; }
    made+=("$build/package/consumer-$arch/hello.exe")
    echo "package: hello.exe built for $arch against the installed package"
done

# add_subdirectory compiles the library again: once per suite, for its own target.
dir="$build/package/subdirectory-$own"
rm -rf "$dir"
cmake -S "$root/tests/package" -B "$dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$own-w64-mingw32.cmake" -DCORVIX_SOURCE_DIR="$root" >/dev/null
cmake --build "$dir" --target hello >/dev/null
[ -f "$dir/hello.exe" ] || { echo "package: no hello.exe through add_subdirectory" >&2; exit 1; }
echo "package: hello.exe built for $own with the source tree added by add_subdirectory"
made+=("$dir/hello.exe")
"$root/scripts/wine-run.sh" "$own" "$check" "${made[@]}"
