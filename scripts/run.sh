#!/usr/bin/env bash
# Installs what is missing, builds the optimised configuration and starts the
# program with the given start-up options (see the README). Until the game's
# application exists, the program is the shell with its stand-in application.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target shell_app
exec build/release/tests/shell_app "$@"
