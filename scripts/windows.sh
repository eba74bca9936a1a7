#!/bin/sh
# Cross-builds Marbelo for Windows against the SDK of scripts/windows-sdk.sh and
# makes, in build-win/:
#   Marbelo-VERSION-win64/          the portable folder (the program keeps its data in it)
#   Marbelo-VERSION-win64.zip       that folder packed
#   Marbelo-VERSION-setup.exe       the installer (Program Files, Start menu, data in AppData)
# The demo data files come from the native build in build/ (made here when missing):
# their bytes do not depend on the platform, and the cross-built tools cannot run here.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)

SDK=${MARBELO_WIN_SDK:-$HOME/.cache/marbelo/win-sdk}
QT=$SDK/prefix
HOST=x86_64-w64-mingw32
OUT=$ROOT/build-win
BUILD=$OUT/build
START=$(date +%s)

say() { echo "[windows $(date -u +%H:%M:%S)] $*"; }

if [ ! -e "$SDK/stamps/qtbase" ] || [ ! -x "$QT/bin/qt-cmake" ]; then
  echo "No Windows SDK in $SDK: run scripts/windows-sdk.sh first (about an hour)." >&2
  exit 1
fi
VERSION=$(sed -n 's/^project(Marbelo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
NAME=Marbelo-$VERSION-win64

say "native demo data (build/)"
if [ ! -e build/build.ninja ]; then
  CCACHE_BASEDIR=/work cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARBELO_WERROR=ON \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
fi
cmake --build build -j2 --target demo-data marbelo-tool >/dev/null

say "cross build ($BUILD)"
mkdir -p "$OUT"
LAUNCHER=
if command -v ccache >/dev/null 2>&1; then LAUNCHER=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache; fi
"$QT/bin/qt-cmake" -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARBELO_WERROR=ON \
  -DMARBELO_TESTS=OFF -DMARBELO_DEMO_DATA_DIR="$ROOT/build/bin" \
  -DZLIB_INCLUDE_DIR=/usr/$HOST/include -DZLIB_LIBRARY=/usr/$HOST/lib/libz.a $LAUNCHER >"$OUT/configure.log" 2>&1 \
  || { tail -n 30 "$OUT/configure.log"; exit 1; }
CCACHE_BASEDIR=$ROOT cmake --build "$BUILD" -j2

# The DLLs a binary needs that are not Windows' own, found in the SDK and the
# compiler's runtime folders, followed through the DLLs they need.
DLL_DIRS="$QT/bin /usr/lib/gcc/$HOST/$($HOST-gcc -dumpversion) /usr/$HOST/lib"
dll_path() {
  for d in $DLL_DIRS; do
    if [ -e "$d/$1" ]; then echo "$d/$1"; return 0; fi
  done
  return 1
}
needed_dlls() {
  todo="$*"
  seen=""
  while [ -n "$todo" ]; do
    next=""
    for f in $todo; do
      for dll in $($HOST-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p'); do
        case " $seen " in *" $dll "*) continue ;; esac
        if path=$(dll_path "$dll"); then
          seen="$seen $dll"
          next="$next $path"
        fi
      done
    done
    todo=$next
  done
  echo $seen
}

# qoffscreen: marbelo-tool draws its documents without a screen, on every platform.
PLUGINS="platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll sqldrivers/qsqlite.dll imageformats/qjpeg.dll imageformats/qgif.dll imageformats/qico.dll"
PLAYER_PLUGINS="platforms/qwindows.dll styles/qwindowsvistastyle.dll"
BIN=$BUILD/bin

say "portable folder $NAME"
STAGE=$OUT/$NAME
rm -rf "$STAGE" && mkdir -p "$STAGE/translations"
cp "$BIN/marbelo.exe" "$BIN/marbelo-tool.exe" "$BIN/TarvixView.exe" "$BIN/Autorun.inf" "$BIN/TarvixHelp.html" \
   "$BIN/TarvixFront.fdl" "$BIN/Pytania.gift" "$BIN"/*.mdl "$STAGE/"
# An empty catalogue: the folder is the program's data folder wherever it is unpacked.
: > "$STAGE/Projects.pdl"
for p in $PLUGINS; do
  mkdir -p "$STAGE/$(dirname "$p")"
  cp "$QT/plugins/$p" "$STAGE/$p"
done
ALL_DLLS=$(cd "$STAGE" && needed_dlls marbelo.exe marbelo-tool.exe TarvixView.exe $PLUGINS)
for dll in $ALL_DLLS; do cp "$(dll_path "$dll")" "$STAGE/"; done
cp "$QT/translations/qtbase_pl.qm" "$STAGE/translations/"
printf '[Paths]\r\nPrefix = .\r\nTranslations = translations\r\n' > "$STAGE/qt.conf"
# What the exported Start.exe needs beside it (presentation/PlayerRuntime.h).
{
  echo "# Files the player (Start.exe) needs beside it in an exported presentation folder."
  for dll in $(cd "$STAGE" && needed_dlls TarvixView.exe $PLAYER_PLUGINS); do echo "$dll"; done
  for p in $PLAYER_PLUGINS; do echo "$p"; done
} > "$STAGE/TarvixView.runtime"
$HOST-strip "$STAGE"/*.exe "$STAGE"/*.dll "$STAGE"/*/*.dll

say "zip"
rm -f "$OUT/$NAME.zip"
(cd "$OUT" && zip -qr9 "$NAME.zip" "$NAME")

say "installer"
# The installed layout is the package's: bin/ the program, share/marbelo/ the
# shared data, lib/marbelo/ the player with what it needs; the program finds
# them from bin/ and keeps each user's data in their AppData folder.
INST=$OUT/installer-root
rm -rf "$INST" && mkdir -p "$INST/bin" "$INST/share/marbelo" "$INST/lib/marbelo"
(cd "$STAGE" && cp -r marbelo.exe marbelo-tool.exe qt.conf translations $ALL_DLLS platforms styles sqldrivers imageformats "$INST/bin/")
(cd "$STAGE" && cp TarvixHelp.html TarvixFront.fdl Pytania.gift *.mdl "$INST/share/marbelo/")
(cd "$STAGE" && cp TarvixView.exe Autorun.inf TarvixView.runtime "$INST/lib/marbelo/")
grep -v '^#' "$STAGE/TarvixView.runtime" | while read -r f; do
  mkdir -p "$INST/lib/marbelo/$(dirname "$f")"
  cp "$STAGE/$f" "$INST/lib/marbelo/$f"
done
# The uninstaller removes these files by name, then their folders when empty.
LIST=$OUT/uninstall-list.nsh
(cd "$INST" && {
  find . -type f | sed 's|^\./||; s|/|\\|g; s|^|  Delete "$INSTDIR\\|; s|$|"|'
  find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|^|  RMDir "$INSTDIR\\|; s|$|"|'
}) > "$LIST"
makensis -V2 -DVERSION="$VERSION" -DROOT="$INST" -DUNINSTALL_LIST="$LIST" -DOUTFILE="$OUT/Marbelo-$VERSION-setup.exe" \
  data/windows/marbelo.nsi

s=$(( $(date +%s) - START ))
say "done in $((s / 60))m$((s % 60))s:"
ls -l "$OUT/$NAME.zip" "$OUT/Marbelo-$VERSION-setup.exe" | awk '{print "  " $5 " bytes  " $9}'
