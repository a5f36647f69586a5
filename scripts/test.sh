#!/usr/bin/env bash
# Installs what is missing, then builds and tests two configurations:
# an optimised build and an AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
jobs=$(nproc)

run() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DVK_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure
}

run build/release -DCMAKE_BUILD_TYPE=Release -DVK_EXHAUSTIVE_TESTS=ON
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  run build/asan -DCMAKE_BUILD_TYPE=Debug -DVK_SANITIZE=ON -DVK_BUILD_BENCH=OFF
