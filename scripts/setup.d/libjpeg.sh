#!/usr/bin/env bash
# Builds libjpeg-turbo (static, no SIMD) for i686 and x86_64 mingw from Debian's
# source package into <build root>/third_party/libjpeg-<arch>. Quick once done:
# an arch whose installed library is there is skipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
third="${SENTINOX_BUILD_ROOT:-$root/build}/third_party"
archs=(i686 x86_64)

todo=()
for arch in "${archs[@]}"; do
  [ -f "$third/libjpeg-$arch/lib/libjpeg.a" ] && [ -f "$third/libjpeg-$arch/include/jpeglib.h" ] || todo+=("$arch")
done
[ ${#todo[@]} -eq 0 ] && exit 0

sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
src_list=/etc/apt/sources.list.d/sentinox-src.sources
if [ ! -f "$src_list" ]; then
  $sudo tee "$src_list" >/dev/null <<'LIST'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
LIST
  $sudo apt-get update -qq
fi
command -v dpkg-source >/dev/null || DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends dpkg-dev >/dev/null

mkdir -p "$third/src"
srcdir=$(find "$third/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
if [ -z "$srcdir" ] || [ ! -f "$srcdir/CMakeLists.txt" ]; then
  echo "setup: fetching the libjpeg-turbo source package"
  # The source package is downloaded as the invoking user; apt warns when root cannot drop privileges.
  (cd "$third/src" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1) || (cd "$third/src" && apt-get source libjpeg-turbo)
  srcdir=$(find "$third/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
fi
[ -n "$srcdir" ] || { echo "setup: libjpeg-turbo source not found" >&2; exit 1; }

for arch in "${todo[@]}"; do
  echo "setup: building libjpeg for $arch"
  bdir="$third/libjpeg-build-$arch"
  cmake -S "$srcdir" -B "$bdir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF \
    -DCMAKE_INSTALL_PREFIX="$third/libjpeg-$arch" -Wno-dev >/dev/null
  ninja -C "$bdir" jpeg-static >/dev/null
  ninja -C "$bdir" install >/dev/null
done
