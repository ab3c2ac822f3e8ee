#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test, then gives each
# fuzz target a short run.
#   --tsan      also build with ThreadSanitizer and run the threaded tests (label "threads")
#   --no-fuzz   skip the fuzz targets
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

tsan=0
fuzz=1
for arg in "$@"; do
  case "$arg" in
    --tsan) tsan=1 ;;
    --no-fuzz) fuzz=0 ;;
    *) echo "unknown option: $arg" >&2; exit 2 ;;
  esac
done

"$top/scripts/deps.sh"

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export LC_ALL=C TZ=UTC
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

build="$top/build-asan"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELVO_SANITIZE=ON -DZELVO_BENCH=OFF
fi
"$top/scripts/build.sh" "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"

if [ "$tsan" = 1 ]; then
  tbuild="$top/build-tsan"
  if [ ! -f "$tbuild/build.ninja" ]; then
    cmake -S "$top" -B "$tbuild" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELVO_TSAN=ON -DZELVO_BENCH=OFF
  fi
  "$top/scripts/build.sh" "$tbuild" -j "$jobs"
  TSAN_OPTIONS=halt_on_error=1 ctest --test-dir "$tbuild" --output-on-failure -L threads
fi

if [ "$fuzz" = 1 ] && [ -d "$top/fuzz" ]; then
  fbuild="$top/build-fuzz"
  if [ ! -f "$fbuild/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$top" -B "$fbuild" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DZELVO_FUZZ=ON -DZELVO_TESTS=OFF -DZELVO_BENCH=OFF
  fi
  "$top/scripts/build.sh" "$fbuild" -j "$jobs" --target fuzz_targets
  for target in "$fbuild"/bin/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$top/fuzz/corpus/${name#fuzz_}"
    work=$(mktemp -d)
    [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
    echo "fuzzing $name for 20 s"
    "$target" -max_total_time=20 -max_len=65536 "$work" >"$work.log" 2>&1 || { tail -40 "$work.log"; exit 1; }
    rm -rf "$work" "$work.log"
  done
fi
