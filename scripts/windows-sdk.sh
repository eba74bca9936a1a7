#!/bin/sh
# Builds the Windows SDK that scripts/windows.sh links against: everything Marbelo needs, for
# x86_64-w64-mingw32, from Debian's own source packages, with Debian's mingw-w64 (posix threads)
# and Debian's host Qt as the host tools.
#
#   scripts/windows-sdk.sh            build what is missing (a stamp per part; safe to run again)
#   MARBELO_WIN_SDK=/path scripts/windows-sdk.sh
#
# Layout of the cache folder (default ~/.cache/marbelo/win-sdk):
#   prefix/                 the SDK: Qt's bin/qt-cmake, lib/, include/, plugins/, translations/
#   toolchain.cmake         the CMake toolchain file for the cross compilers
#   stamps/PART             one per finished part
#   work/                   sources and build trees (may be deleted once every stamp exists)
#   build.log               appended by every run
# Needs: scripts/install-deps.sh --windows.
set -eu

SDK=${MARBELO_WIN_SDK:-$HOME/.cache/marbelo/win-sdk}
JOBS=${JOBS:-2}
HOST=x86_64-w64-mingw32
PREFIX=$SDK/prefix
WORK=$SDK/work
STAMPS=$SDK/stamps
TOOLCHAIN=$SDK/toolchain.cmake
START=$(date +%s)

mkdir -p "$PREFIX" "$WORK/src" "$STAMPS"

say() { echo "[windows-sdk $(date -u +%H:%M:%S)] $*"; }
elapsed() { s=$(( $(date +%s) - $1 )); printf '%dm%02ds' $((s / 60)) $((s % 60)); }

# part NAME: runs build_NAME unless stamps/NAME exists; the stamp is written only on success.
part() {
  if [ -e "$STAMPS/$1" ]; then
    say "$1: done earlier ($(cat "$STAMPS/$1"))"
    return 0
  fi
  say "$1: building"
  t=$(date +%s)
  "build_$1"
  echo "built $(date -u +%Y-%m-%dT%H:%M:%SZ) in $(elapsed "$t")" > "$STAMPS/$1"
  say "$1: finished in $(elapsed "$t")"
}

need() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "missing $tool: run scripts/install-deps.sh --windows" >&2; exit 1; }
  done
}

# Unpacks a Debian source package into work/src/PKG (patches applied by dpkg-source).
fetch() {
  pkg=$1
  if [ ! -e "$WORK/src/$pkg.unpacked" ]; then
    rm -rf "$WORK/src/$pkg" && mkdir -p "$WORK/src/$pkg"
    if ! (cd "$WORK/src/$pkg" && apt-get source -qq "$pkg" >/dev/null); then
      # Some packages' Debian part is gone from the archive (libharu 2.3.0+dfsg-1's
      # debian.tar.xz answers 404); their upstream tarball still comes, and is used as it is.
      orig=$(find "$WORK/src/$pkg" -maxdepth 1 -name '*.orig.tar.*' | head -n 1)
      [ -n "$orig" ] || { echo "apt-get source $pkg failed" >&2; exit 1; }
      say "  $pkg: only the upstream tarball is available; unpacking it without Debian's patches"
      tar -xf "$orig" -C "$WORK/src/$pkg"
    fi
    touch "$WORK/src/$pkg.unpacked"
  fi
}

# The unpacked source tree of PKG (the only directory dpkg-source made).
srcdir() {
  find "$WORK/src/$1" -mindepth 1 -maxdepth 1 -type d | head -n 1
}

build_toolchain() {
  need "$HOST-gcc" "$HOST-g++" cmake ninja apt-get dpkg-source nasm tclsh
  case "$("$HOST-g++" --version | head -n 1)" in
    *posix*) ;;
    *) echo "$HOST-g++ is not the posix-thread variant: run scripts/install-deps.sh --windows" >&2; exit 1 ;;
  esac
  cat > "$TOOLCHAIN" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $HOST-gcc)
set(CMAKE_CXX_COMPILER $HOST-g++)
set(CMAKE_RC_COMPILER $HOST-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$HOST $PREFIX)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
}

build_sources() {
  for pkg in sqlite3 libjpeg-turbo libharu qt6-base; do
    say "  apt-get source $pkg"
    fetch "$pkg"
  done
}

# zlib for Windows is Debian's own binary package; only checked here.
build_zlib() {
  for f in /usr/$HOST/include/zlib.h /usr/$HOST/lib/libz.a; do
    [ -e "$f" ] || { echo "missing $f: install libz-mingw-w64-dev" >&2; exit 1; }
  done
}

# Debian's sqlite3 source is the full tree; its amalgamation (sqlite3.c) is made with the host
# tools and then compiled for Windows into a static library that Qt's SQLite driver links.
build_sqlite() {
  src=$(srcdir sqlite3)
  b=$WORK/build/sqlite
  rm -rf "$b" && mkdir -p "$b"
  (cd "$b" && "$src/configure" --disable-tcl --disable-readline >configure.log 2>&1 && make -j"$JOBS" sqlite3.c >make.log 2>&1)
  "$HOST-gcc" -O2 -c "$b/sqlite3.c" -o "$b/sqlite3.o" -I"$b" \
    -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_ENABLE_FTS5 -DSQLITE_OMIT_LOAD_EXTENSION
  mkdir -p "$PREFIX/include" "$PREFIX/lib"
  rm -f "$PREFIX/lib/libsqlite3.a"
  "$HOST-ar" rcs "$PREFIX/lib/libsqlite3.a" "$b/sqlite3.o"
  cp "$b/sqlite3.h" "$b/sqlite3ext.h" "$PREFIX/include/"
}

# libjpeg-turbo with its SIMD code (nasm); static, so the program needs no extra DLL.
build_jpeg() {
  src=$(srcdir libjpeg-turbo)
  b=$WORK/build/jpeg
  rm -rf "$b"
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=ON \
    -DWITH_JAVA=OFF -DREQUIRE_SIMD=ON >"$b.configure.log" 2>&1 || { tail -n 30 "$b.configure.log"; exit 1; }
  cmake --build "$b" -j"$JOBS" --target turbojpeg-static jpeg-static >"$b.build.log" 2>&1 || { tail -n 30 "$b.build.log"; exit 1; }
  mkdir -p "$PREFIX/lib" "$PREFIX/include"
  cp "$b/libturbojpeg.a" "$PREFIX/lib/"
  cp "$src/turbojpeg.h" "$PREFIX/include/"
}

# libharu, static, with Debian's zlib for Windows. PNG loading is left out: Marbelo embeds JPEG
# slides and a TrueType font only. Debian's patches for 2.3.0+dfsg-1 are gone from the archive, so
# this is the upstream tag RELEASE_2_3_0, whose hpdf_version.h says "2.3.0RC2" (Debian's says "2.3.0").
build_haru() {
  src=$(srcdir libharu)
  b=$WORK/build/haru
  rm -rf "$b"
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DLIBHPDF_SHARED=OFF -DLIBHPDF_STATIC=ON -DLIBHPDF_EXAMPLES=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON -DZLIB_INCLUDE_DIR=/usr/$HOST/include -DZLIB_LIBRARY=/usr/$HOST/lib/libz.a \
    -DCMAKE_POLICY_DEFAULT_CMP0077=NEW >"$b.configure.log" 2>&1 || { tail -n 30 "$b.configure.log"; exit 1; }
  cmake --build "$b" -j"$JOBS" >"$b.build.log" 2>&1 || { tail -n 30 "$b.build.log"; exit 1; }
  cmake --install "$b" >"$b.install.log" 2>&1 || { tail -n 30 "$b.install.log"; exit 1; }
  # Its install also puts its other language bindings and texts into the prefix.
  rm -rf "$PREFIX/if" "$PREFIX/CHANGES" "$PREFIX/INSTALL" "$PREFIX/README"
}

# Qt 6.4.2 qtbase from Debian's dfsg source. The dfsg repack lacks the Wintab headers (hence no
# tablet events) and the bundled SQLite (hence the SQLite built above). Direct2D stays on: without
# it PrintSupport and the qwindows plugin do not link in 6.4. Modules Marbelo does not use (OpenGL,
# PrintSupport, Test, Concurrent, D-Bus) are left out to save build time. OpenGL is left out with
# INPUT_opengl=no and the dynamic-GL features off: FEATURE_opengl=OFF alone leaves dynamic GL on,
# and the qwindows plugin then refers to GL classes that were not built. Configuring runs every
# time (quick against an existing tree), so a changed option reaches a build that was interrupted;
# ninja then resumes.
build_qtbase() {
  src=$(srcdir qt6-base)
  b=$WORK/build/qtbase
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$PREFIX" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
      -DFEATURE_tabletevent=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
      -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_opengl_dynamic=OFF -DFEATURE_dynamicgl=OFF \
      -DFEATURE_testlib=OFF -DFEATURE_concurrent=OFF \
      -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
      -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
      -DFEATURE_freetype=ON -DFEATURE_harfbuzz=ON \
      -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=ON \
      -DSQLite3_INCLUDE_DIR="$PREFIX/include" -DSQLite3_LIBRARY="$PREFIX/lib/libsqlite3.a" \
      -DFEATURE_sql_odbc=OFF -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF \
      -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF -DFEATURE_openssl=OFF \
      >"$b.configure.log" 2>&1 || { tail -n 40 "$b.configure.log"; exit 1; }
  # Ninja resumes where an interrupted run stopped.
  cmake --build "$b" -j"$JOBS" >"$b.build.log" 2>&1 || { tail -n 40 "$b.build.log"; exit 1; }
  cmake --install "$b" >"$b.install.log" 2>&1 || { tail -n 30 "$b.install.log"; exit 1; }
}

# FreeType 2.12.1 for Poppler's font rendering, static, with Debian's zlib for Windows (its own
# copy of zlib would clash with that one in Poppler's link) and no PNG, bzip2, Brotli or HarfBuzz.
build_freetype() {
  fetch freetype
  src=$(srcdir freetype)
  b=$WORK/build/freetype
  rm -rf "$b"
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON \
    -DFT_REQUIRE_ZLIB=ON -DZLIB_INCLUDE_DIR=/usr/$HOST/include -DZLIB_LIBRARY=/usr/$HOST/lib/libz.a -DFT_DISABLE_PNG=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_HARFBUZZ=ON \
    >"$b.configure.log" 2>&1 || { tail -n 30 "$b.configure.log"; exit 1; }
  cmake --build "$b" -j"$JOBS" >"$b.build.log" 2>&1 || { tail -n 30 "$b.build.log"; exit 1; }
  cmake --install "$b" >"$b.install.log" 2>&1 || { tail -n 30 "$b.install.log"; exit 1; }
}

# Poppler 22.12 (Debian's source) with its Qt 6 wrapper: the PDF import's reader and renderer.
# Splash renders, with Poppler's own DCT decoder for JPEG pictures; no OpenJPEG, LCMS, cairo,
# glib, curl, NSS or GPGME, and Windows' own font lookup. The wrapper's tests are not built, so
# its need of Qt's Test module (which the SDK leaves out) is dropped. Two DLLs that need only
# Windows' own and Qt's: libpoppler and libpoppler-qt6.
build_poppler() {
  # The static FreeType needs zlib after it on every link line: CMake's standard libraries for
  # Windows come last, so zlib goes at their head.
  WIN_LIBS="-lkernel32 -luser32 -lgdi32 -lwinspool -lshell32 -lole32 -loleaut32 -luuid -lcomdlg32 -ladvapi32"
  fetch poppler
  src=$(srcdir poppler)
  b=$WORK/build/poppler
  sed -i 's/find_package(Qt6 6.2 COMPONENTS Core Gui Widgets Test QUIET)/find_package(Qt6 6.2 COMPONENTS Core Gui Widgets QUIET)/;
          s/Qt6Widgets_FOUND AND Qt6Test_FOUND/Qt6Widgets_FOUND/' "$src/CMakeLists.txt"
  sed -i 's/^add_subdirectory(tests)$/# add_subdirectory(tests)/' "$src/qt6/CMakeLists.txt"
  rm -rf "$b"
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_PREFIX_PATH="$PREFIX" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DENABLE_QT6=ON -DENABLE_QT5=OFF -DENABLE_CPP=OFF -DENABLE_GLIB=OFF -DENABLE_GOBJECT_INTROSPECTION=OFF \
    -DENABLE_UTILS=OFF -DENABLE_LIBCURL=OFF -DENABLE_NSS3=OFF -DENABLE_GPGME=OFF -DENABLE_BOOST=OFF \
    -DENABLE_LIBOPENJPEG=none -DENABLE_DCTDECODER=unmaintained -DENABLE_CMS=none -DENABLE_LIBTIFF=OFF \
    -DENABLE_LIBPNG=OFF -DWITH_Cairo=OFF -DWITH_NSS3=OFF -DWITH_JPEG=OFF -DWITH_PNG=OFF -DWITH_TIFF=OFF \
    -DFONT_CONFIGURATION=win32 -DRUN_GPERF_IF_PRESENT=OFF \
    -DBUILD_GTK_TESTS=OFF -DBUILD_QT5_TESTS=OFF -DBUILD_QT6_TESTS=OFF -DBUILD_CPP_TESTS=OFF -DBUILD_MANUAL_TESTS=OFF \
    -DZLIB_INCLUDE_DIR=/usr/$HOST/include -DZLIB_LIBRARY=/usr/$HOST/lib/libz.a \
    -DFREETYPE_INCLUDE_DIRS="$PREFIX/include/freetype2" -DFREETYPE_LIBRARY="$PREFIX/lib/libfreetype.a" \
    -DCMAKE_CXX_STANDARD_LIBRARIES="/usr/$HOST/lib/libz.a $WIN_LIBS" -DCMAKE_C_STANDARD_LIBRARIES="/usr/$HOST/lib/libz.a $WIN_LIBS" \
    >"$b.configure.log" 2>&1 || { tail -n 40 "$b.configure.log"; exit 1; }
  grep -q "Qt6 wrapper: *yes\|qt6 wrapper: *yes" "$b.configure.log" || { grep -i "qt6" "$b.configure.log"; echo "Poppler's Qt 6 wrapper is not configured" >&2; exit 1; }
  cmake --build "$b" -j"$JOBS" >"$b.build.log" 2>&1 || { tail -n 40 "$b.build.log"; exit 1; }
  cmake --install "$b" >"$b.install.log" 2>&1 || { tail -n 30 "$b.install.log"; exit 1; }
}

# Qt's own Polish texts (message-box buttons, file dialogs), taken from Debian's host package:
# .qm files do not depend on the platform.
build_translations() {
  mkdir -p "$PREFIX/translations"
  for f in qtbase_pl.qm qt_pl.qm; do
    if [ -e "/usr/share/qt6/translations/$f" ]; then cp "/usr/share/qt6/translations/$f" "$PREFIX/translations/"; fi
  done
  [ -e "$PREFIX/translations/qtbase_pl.qm" ] || { echo "missing qtbase_pl.qm: install qt6-translations-l10n" >&2; exit 1; }
}

say "SDK in $SDK (jobs: $JOBS)"
for p in toolchain sources zlib sqlite jpeg haru qtbase translations freetype poppler; do
  part "$p"
done
say "SDK complete: $(du -sh "$PREFIX" | cut -f1) in $PREFIX; this run took $(elapsed "$START")"
