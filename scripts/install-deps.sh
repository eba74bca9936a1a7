#!/bin/sh
# Installs every Debian package needed to build, run and test the program.
# Safe to run again: apt-get skips what is already installed.
set -eu

PACKAGES="
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6opengl6-dev qt6-translations-l10n qt6-gtk-platformtheme
  libturbojpeg0-dev libjpeg62-turbo-dev
  qt6-pdf-dev qt6-image-formats-plugins libhpdf-dev poppler-utils
  libgtest-dev googletest
  fonts-dejavu-core libhpdf-dev
  chromium chromium-driver python3-selenium poppler-utils
  xvfb xauth
  clang libclang-rt-dev
  dpkg-dev lintian appstream desktop-file-utils librsvg2-bin
"

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  echo "Installing:$missing"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  # shellcheck disable=SC2086
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
fi
