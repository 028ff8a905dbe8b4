#!/usr/bin/env bash
# Builds the fuzz targets (clang's libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz/ and runs each for SECONDS (default 60), starting from the seed corpora
# under fuzz/corpus/. New inputs found go to build-fuzz/corpus/ (the tree stays clean);
# a crash, leak, sanitizer report or hang stops the run with its input saved as
# build-fuzz/crashes/<target>-crash-<hash> and fails the script.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     TARGET: document function_file transfer decode
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(document function_file transfer decode)

scripts/setup.sh --fuzz
cxx=$(command -v clang++-14 || command -v clang++)
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DT2V_FUZZ=ON \
  -DT2V_BUILD_TESTS=OFF -DT2V_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

# The transfer target starts from the documents; the decoder from small structures.
seeds_of() { case "$1" in transfer) echo fuzz/corpus/document ;; *) echo "fuzz/corpus/$1" ;; esac; }
mkdir -p build-fuzz/crashes
status=0
for t in "${targets[@]}"; do
  work=build-fuzz/corpus/$t
  mkdir -p "$work"
  dict=()
  case "$t" in document|transfer) dict=(-dict=fuzz/model.dict) ;; esac
  echo "== fuzz_$t for ${seconds}s"
  if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      "build-fuzz/bin/fuzz_$t" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -max_len=65536 \
      -print_final_stats=1 -artifact_prefix="build-fuzz/crashes/$t-" "${dict[@]}" \
      "$work" "$(seeds_of "$t")" $(ls -d "fuzz/regressions/$t" 2>/dev/null) 2>"build-fuzz/fuzz_$t.log"; then
    tail -n 60 "build-fuzz/fuzz_$t.log"
    echo "fuzz_$t failed; the input is in build-fuzz/crashes/ (add it to the tests)"
    status=1
  fi
  grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb)|(INITED|DONE) +cov:" "build-fuzz/fuzz_$t.log" | tail -n 4 || true
done
exit $status
