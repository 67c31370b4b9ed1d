#!/bin/sh
# Builds everything once with clang, AddressSanitizer, UndefinedBehaviorSanitizer
# and fuzzer coverage, runs each fuzz target briefly, then every test.
set -eu
cd "$(dirname "$0")/.."
FUZZ_SECONDS="${FUZZ_SECONDS:-30}"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"

CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DKANTOMIX_SANITIZE=ON -DKANTOMIX_FUZZ=ON
cmake --build build-asan -j2

# One fuzz target per core at a time.
fuzz() {
  target=$1
  corpus="build-asan/corpus-$target"
  log="build-asan/fuzz_$target.log"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$target"/* "$corpus"/
  if ! "build-asan/fuzz/fuzz_$target" -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 \
      -artifact_prefix=build-asan/ "$corpus" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz_$target found a fault"
    return 1
  fi
  echo "fuzz_$target (${FUZZ_SECONDS} s): $(tail -n 1 "$log")"
}
status=0
set -- $(ls fuzz/corpus)
while [ $# -gt 0 ]; do
  fuzz "$1" & first=$!
  second=""
  if [ $# -gt 1 ]; then fuzz "$2" & second=$!; fi
  wait "$first" || status=1
  if [ -n "$second" ]; then wait "$second" || status=1; fi
  shift; [ $# -gt 0 ] && shift
done
[ "$status" -eq 0 ] || exit 1

# The register's server tests start their own throwaway server and stop it
# after the last of them; stopped here too should the run be cut short.
trap 'sh scripts/pgtest.sh stop build-asan/pgtest >/dev/null 2>&1 || true' EXIT INT TERM
ctest --test-dir build-asan --output-on-failure -j2
