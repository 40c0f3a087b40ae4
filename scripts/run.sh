#!/usr/bin/env bash
# Builds the program and starts it on the simulated evaluation board.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELVAR_TESTS=OFF >/dev/null
# A shared machine limits the build with CMAKE_BUILD_PARALLEL_LEVEL; otherwise every core.
cmake --build build --target darnex -j "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
exec ./build/darnex "$@"
