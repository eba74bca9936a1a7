#!/bin/sh
# Installs what is needed, builds, and runs every test headless: once in a
# normal build, once with AddressSanitizer and UndefinedBehaviorSanitizer;
# then runs each fuzz target for a short while (FUZZ_SECONDS, default 30).
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

scripts/build.sh build -DMARBELO_WERROR=ON
ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 300

scripts/build.sh build-asan -DMARBELO_SANITIZE=ON -DMARBELO_WERROR=ON
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)" --timeout 600

scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
