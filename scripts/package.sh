#!/bin/sh
# Builds the Debian package build/marbelo_VERSION_amd64.deb: builds into build/
# only what the package holds (target package-contents: the program, the
# tool, the player, the demo data and the package's own files; no tests),
# then CPack's DEB generator (dependencies found by dpkg-shlibdeps).
# Install it with: sudo apt install ./build/marbelo_*_amd64.deb
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$(nproc)" --target package-contents
cd build
cpack -G DEB
