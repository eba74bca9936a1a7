#!/bin/sh
# Builds the fuzz targets with clang into build-fuzz/ and runs each for the
# given number of seconds (default 30), starting from the small corpora in
# fuzz/corpus. Inputs a run finds worth keeping go to build-fuzz/corpus, never
# into the repository; a finding is written to build-fuzz/findings and fails
# the script.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -eu
cd "$(dirname "$0")/.."
seconds="${1:-30}"
[ $# -gt 0 ] && shift
targets="${*:-topic_file catalogue outline slide_blocks presentation_file jpeg_decoder pdf_outline course_database csv_participants gift_reader programme_file database_location}"

scripts/install-deps.sh
CXX=clang++ scripts/build.sh build-fuzz -DMARBELO_FUZZ=ON -DMARBELO_WERROR=ON

mkdir -p build-fuzz/findings build-fuzz/logs
export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for target in $targets; do
  corpus="build-fuzz/corpus/$target"
  mkdir -p "$corpus"
  log="build-fuzz/logs/$target.log"
  echo "fuzz_$target: $seconds s"
  # A database of the current schema with a row in every table takes 18 KB
  # even in pages of 512 bytes.
  max_len=16384
  [ "$target" = course_database ] && max_len=32768
  if build-fuzz/bin/fuzz_"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -max_len="$max_len" -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$target-" \
       "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$log" | tail -2
  else
    status=1
    echo "fuzz_$target found a fault; its log: $log" >&2
    tail -40 "$log" >&2
  fi
done
exit $status
