#!/usr/bin/env bash
# Fuzzes the parsers with libFuzzer: scripts/fuzz.sh [SECONDS] [TARGET...] (default 60 s each, all of
# journal model partfile dlx names rules workbook sheet). Builds build-fuzz with clang. Each target starts from its corpus in
# tests/fuzz/corpus/TARGET; afterwards the corpus is merged down to the inputs that reach the most code.
# Crashes and hangs are left as crash-*/timeout-* files in build-fuzz/findings/TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(journal model partfile dlx names rules workbook sheet)
scripts/deps.sh
command -v clang++ >/dev/null || { sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo; $sudo apt-get install -y -q clang libclang-rt-14-dev; }
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORTA_FUZZ=ON >/dev/null
cmake --build build-fuzz -j2
export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
for t in "${targets[@]}"; do
  corpus=tests/fuzz/corpus/$t
  found=build-fuzz/findings/$t
  mkdir -p "$corpus" "$found" "$found/new"
  echo "== $t for $seconds s"
  # -timeout: no input may take more than seconds; -rss_limit_mb: nor more memory than a plant needs.
  if ! build-fuzz/tests/fuzz/fuzz_$t "$found/new" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -max_len=65536 -artifact_prefix="$found/" -print_final_stats=1 2>"$found/log"; then
    status=1
    tail -40 "$found/log"
  fi
  grep -E "cov:|stat::number_of_executed_units" "$found/log" | tail -2 || true
  # What stays in the tree is the smallest set of inputs that reaches every edge the run reached.
  rm -rf "$found/merged" && mkdir -p "$found/merged"
  build-fuzz/tests/fuzz/fuzz_$t -set_cover_merge=1 -use_counters=0 "$found/merged" "$corpus" "$found/new" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$found/" \
      -max_len=65536 2>/dev/null || true
  if [ -n "$(ls -A "$found/merged" 2>/dev/null)" ]; then rm -rf "$corpus" && mv "$found/merged" "$corpus"; fi
  echo "   corpus: $(ls "$corpus" | wc -l) inputs, $(du -sk --apparent-size "$corpus" | cut -f1) KiB"
done
exit $status
