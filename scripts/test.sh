#!/bin/sh
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer, runs
# each fuzz target briefly, then every test.
set -eu
cd "$(dirname "$0")/.."
FUZZ_SECONDS="${FUZZ_SECONDS:-30}"
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKANTOMIX_SANITIZE=ON
cmake --build build-asan -j2

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DKANTOMIX_FUZZ=ON -DKANTOMIX_SANITIZE=ON -DKANTOMIX_TESTS=OFF
cmake --build build-fuzz -j2 --target fuzz_import fuzz_zus_import fuzz_dbf
for target in import zus_import dbf; do
  corpus="build-fuzz/corpus-$target"
  log="build-fuzz/fuzz_$target.log"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$target"/* "$corpus"/
  echo "fuzz_$target: ${FUZZ_SECONDS} s"
  if ! "build-fuzz/fuzz/fuzz_$target" -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 \
      -artifact_prefix=build-fuzz/ "$corpus" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz_$target found a fault"
    exit 1
  fi
  tail -n 1 "$log"
done

ctest --test-dir build-asan --output-on-failure -j2
