#!/usr/bin/env bash
# Builds the static libraries the SDK links (zlib, libpng, libjpeg-turbo with
# the jpeg-8 API, libtiff) and GoogleTest for one Windows target from
# Debian's own source packages, and prints the install prefix.
#
#   tools/build-deps.sh x86_64-w64-mingw32|i686-w64-mingw32
#
# The prefix is named by a key over this script, the toolchain file and the
# source versions, so a second run with nothing changed returns at once. It
# must stay where it was built: libpng's CMake files embed absolute paths.
set -euo pipefail

target=${1:?usage: build-deps.sh TARGET}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
toolchain=$root/cmake/toolchains/$target.cmake
[ -f "$toolchain" ] || { echo "build-deps: no toolchain file for $target" >&2; exit 2; }

cache=${LUMVEX_DEPS_CACHE:-${XDG_CACHE_HOME:-${HOME:-/root}/.cache}/lumvex-sdk/deps}
src=$cache/src
mkdir -p "$src"

# Debian source packages: fetched once, then kept.
packages=(zlib libpng1.6 libjpeg-turbo tiff)
for p in "${packages[@]}"; do
  if ! ls "$src/${p}"_*.dsc >/dev/null 2>&1; then
    (cd "$src" && apt-get source --download-only -qq "$p" >/dev/null 2>&1) ||
      { echo "build-deps: apt-get source $p failed (is there a deb-src entry?)" >&2; exit 1; }
  fi
done
gtest_src=/usr/src/googletest
gtest_version=$(dpkg-query -W -f='${Version}' googletest)

versions=$(cd "$src" && ls ./*.dsc | sort | tr '\n' ' ')
key=$( { cat "$0" "$toolchain"; echo "$versions gtest-$gtest_version"; } | sha256sum | cut -c1-16)
prefix=$cache/$target-$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work=$cache/work-$target-$key
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix/include" "$prefix/lib"
log=$work/build.log
trap 'echo "build-deps: failed; the end of $log:" >&2; tail -n 30 "$log" >&2' ERR
echo "build-deps: building for $target into $prefix (log: $log)" >&2

unpack() { # package -> prints the unpacked directory
  local dsc
  dsc=$(ls "$src/${1}"_*.dsc | head -n1)
  (cd "$work" && dpkg-source --no-check -x "$dsc" "$1" >>"$log" 2>&1)
  echo "$work/$1"
}

cmake_build() { # source dir, build dir, extra args...
  local s=$1 b=$2; shift 2
  cmake -S "$s" -B "$b" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" \
    -DCMAKE_POSITION_INDEPENDENT_CODE=OFF \
    "$@" >>"$log" 2>&1
}

# zlib: its configure refuses mingw, so use its CMake and only the static
# library; the mingw sysroot's import library must never be picked up.
d=$(unpack zlib)
cmake_build "$d" "$work/zlib-build"
cmake --build "$work/zlib-build" --target zlibstatic >>"$log" 2>&1
cp "$work/zlib-build/libzlibstatic.a" "$prefix/lib/libz.a"
cp "$d/zlib.h" "$work/zlib-build/zconf.h" "$prefix/include/"

zlib_args=(-DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include")

d=$(unpack libpng1.6)
cmake_build "$d" "$work/png-build" "${zlib_args[@]}" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_EXECUTABLES=ON
cmake --build "$work/png-build" --target png_static >>"$log" 2>&1
cp "$work/png-build/libpng16.a" "$prefix/lib/libpng.a"
cp "$d/png.h" "$d/pngconf.h" "$work/png-build/pnglibconf.h" "$prefix/include/"

d=$(unpack libjpeg-turbo)
cmake_build "$d" "$work/jpeg-build" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_JPEG8=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON
cmake --build "$work/jpeg-build" --target jpeg-static >>"$log" 2>&1
cp "$work/jpeg-build/libjpeg.a" "$prefix/lib/libjpeg.a"
cp "$d/jpeglib.h" "$d/jmorecfg.h" "$d/jerror.h" "$work/jpeg-build/jconfig.h" "$prefix/include/"

# libtiff: every codec is on by default when something is found; the SDK
# writes uncompressed strips only.
d=$(unpack tiff)
codecs_off=()
for c in zlib libdeflate pixarlog jpeg old-jpeg jpeg12 jbig lerc lzma zstd webp; do
  codecs_off+=(-D$c=OFF)
done
cmake_build "$d" "$work/tiff-build" "${codecs_off[@]}" \
  -DBUILD_SHARED_LIBS=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF \
  -Dcxx=OFF -DCMAKE_C_FLAGS=-DWIN32_LEAN_AND_MEAN
cmake --build "$work/tiff-build" --target tiff >>"$log" 2>&1
cp "$work/tiff-build/libtiff/libtiff.a" "$prefix/lib/libtiff.a"
cp "$d/libtiff/tiff.h" "$d/libtiff/tiffio.h" "$d/libtiff/tiffvers.h" \
   "$work/tiff-build/libtiff/tiffconf.h" "$prefix/include/"

# GoogleTest, from the sources Debian's googletest package installs.
cmake_build "$gtest_src" "$work/gtest-build" -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
cmake --build "$work/gtest-build" >>"$log" 2>&1
cmake --install "$work/gtest-build" >>"$log" 2>&1

touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
