#!/usr/bin/env bash
# Builds the Windows kit (the one ../shared/toolchains/ carries): Qt 6.4.2 (Core, Gui, Widgets, the windows platform plugin,
# styles and image formats) and pugixml, cross-compiled for x86_64-w64-mingw32 (posix threads) from
# Debian's own source packages, installed under one prefix and packed as qt6.4.2-mingw64.tar.xz.
# About 65 minutes of compiling on two cores, as root (it installs packages and a deb-src entry).
# Usage: build-qt-mingw.sh [work folder]; the kit is left unpacked in WORK/qt6-mingw (for
# MAROVIA_QT_MINGW) and packed as WORK/qt6.4.2-mingw64.tar.xz (for shared/toolchains/).
set -euo pipefail
work=$(realpath -m "${1:-${TMPDIR:-/tmp}/qt-mingw-work}")
prefix=$work/qt6-mingw
mkdir -p "$work" && cd "$work"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq --no-install-recommends g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
  qt6-base-dev qt6-base-dev-tools cmake ninja-build dpkg-dev xz-utils >/dev/null
# Source packages need a deb-src entry.
if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base'; then
  cat > /etc/apt/sources.list.d/marovia-src.sources <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  apt-get update -qq
fi
apt-get source --download-only qt6-base pugixml >/dev/null
tar xf qt6-base_*.orig.tar.xz
src=$(ls -d qtbase-everywhere-src-*)
# Debian's source leaves out the Wintab headers: build the windows plugin without tablet input.
sed -i 's/QT_CONFIG(tabletevent)/0/g' "$src"/src/plugins/platforms/windows/*.cpp "$src"/src/plugins/platforms/windows/*.h
sed -i 's/CONDITION QT_FEATURE_tabletevent/CONDITION FALSE/' "$src/src/plugins/platforms/windows/CMakeLists.txt"
# Without OpenGL, 6.4 still turns dynamicgl on and the plugin then needs GL classes.
sed -i 's/QT_CONFIG(dynamicgl)/0/g' "$src/src/plugins/platforms/windows/qwindowswindow.cpp"
# Without Direct2D, QtGui has no DirectWrite font database: the plugin uses the GDI one.
sed -i 's/QT_CONFIG(directwrite3)/0/g' "$src/src/plugins/platforms/windows/qwindowsintegration.cpp"
cat > mingw.cmake <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC
cmake -S "$src" -B build-qt -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/mingw.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_WITH_PCH=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_testlib=OFF -DFEATURE_xml=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF \
  -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF -DFEATURE_direct2d=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF
cmake --build build-qt --parallel "$(nproc)"
cmake --install build-qt
# pugixml: one source file, as a static library with its CMake package.
mkdir -p pugixml-src && tar xf pugixml_*.orig.tar.* -C pugixml-src --strip-components=1
cmake -S pugixml-src -B build-pugixml -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/mingw.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF
cmake --build build-pugixml && cmake --install build-pugixml
x86_64-w64-mingw32-strip --strip-unneeded "$prefix"/bin/*.dll "$prefix"/plugins/*/*.dll 2>/dev/null || true
tar -C "$work" -cJf "$work/qt6.4.2-mingw64.tar.xz" qt6-mingw
echo "kit: $prefix (packed: $work/qt6.4.2-mingw64.tar.xz)"
