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

# The sound completion arrives on SDL's audio thread: the media player's
# cross-thread test also runs under ThreadSanitizer.
cmake -S . -B build/tsan -G Ninja -DVK_WERROR=ON -DCMAKE_BUILD_TYPE=Debug -DVK_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread >/dev/null
cmake --build build/tsan -j "$jobs" --target test_platform
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build/tsan --output-on-failure -R '^MediaPlayerThreads\.'
