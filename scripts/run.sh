#!/usr/bin/env bash
# Installs what is missing, builds the optimised configuration (the game and
# its archive, velkorin.big, from content/) and starts the game with the
# given start-up options (see the README).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target velkorin
exec build/release/velkorin "$@"
