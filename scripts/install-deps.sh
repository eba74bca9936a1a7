#!/bin/sh
# Installs every Debian package needed to build, run and test the program.
# Safe to run again: apt-get skips what is already installed.
# --windows adds the cross toolchain, Wine, NSIS and what scripts/windows-sdk.sh needs,
# and a deb-src entry so that `apt-get source` finds Debian's sources.
set -eu

WINDOWS=0
for arg in "$@"; do
  case "$arg" in
    --windows) WINDOWS=1 ;;
    *) echo "usage: $0 [--windows]" >&2; exit 2 ;;
  esac
done

PACKAGES="
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql postgresql-15 libqt6opengl6-dev qt6-translations-l10n qt6-gtk-platformtheme
  libturbojpeg0-dev libjpeg62-turbo-dev
  libpoppler-qt6-dev qt6-image-formats-plugins libhpdf-dev poppler-utils qpdf
  libgtest-dev googletest
  fonts-dejavu-core libhpdf-dev
  chromium chromium-driver python3-selenium poppler-utils
  xvfb xauth
  clang libclang-rt-dev
  dpkg-dev lintian appstream desktop-file-utils librsvg2-bin
  nodejs
"

WINDOWS_PACKAGES="
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev
  wine wine64 nsis nasm xvfb xauth x11-apps x11-utils xdotool imagemagick zip unzip xz-utils
  qt6-base-private-dev qt6-tools-dev-tools
"

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

if [ "$WINDOWS" = 1 ]; then
  PACKAGES="$PACKAGES $WINDOWS_PACKAGES"
  # apt-get source needs a deb-src line for the same suites as the binary packages.
  if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo "Adding a deb-src entry: /etc/apt/sources.list.d/marbelo-src.sources"
    $SUDO sh -c 'cat > /etc/apt/sources.list.d/marbelo-src.sources' <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    NEED_UPDATE=1
  fi
fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ] || [ "${NEED_UPDATE:-0}" = 1 ]; then
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
fi
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  # shellcheck disable=SC2086
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
fi

if [ "$WINDOWS" = 1 ]; then
  # The posix-thread variants: std::thread and std::mutex need them.
  for tool in gcc g++; do
    $SUDO update-alternatives --set "x86_64-w64-mingw32-$tool" "/usr/bin/x86_64-w64-mingw32-$tool-posix" >/dev/null
  done
fi

# The reference readers the tests compare against, pinned in tests/node.
# Some builds of nodejs bring npm along; Debian's ships it as its own package.
if ! command -v npm >/dev/null; then
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends npm
fi
if [ ! -d "$(dirname "$0")/../tests/node/node_modules/gift-pegjs" ]; then
  (cd "$(dirname "$0")/../tests/node" && npm ci --no-audit --no-fund)
fi
