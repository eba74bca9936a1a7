#!/bin/sh
# Builds the Debian package build/marbelo_VERSION_amd64.deb: a normal build
# into build/, then CPack's DEB generator (dependencies found by
# dpkg-shlibdeps). Install it with: sudo apt install ./build/marbelo_*_amd64.deb
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
cd build
cpack -G DEB
