#!/usr/bin/env bash
# Builds the program and starts it on the simulated evaluation board.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELVAR_TESTS=OFF >/dev/null
cmake --build build --target darnex -j "$(nproc)"
exec ./build/darnex "$@"
