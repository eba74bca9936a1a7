#!/bin/sh
# Installs what is needed, builds what the program needs to start (the
# program, the tool, the player and the demo data; not the tests), and starts
# the program on the demo data.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$(nproc)" --target marbelo marbelo-tool marbelo-player demo-data
exec build/bin/marbelo
