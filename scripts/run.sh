#!/bin/sh
# Installs what is needed, builds, and starts the program on the demo data.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
exec build/bin/marbelo
