#!/usr/bin/env bash
# Builds the module and the simulated Layout, then runs the demo: with no arguments the
# built-in scene; any arguments are passed to velmora-sim.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target velmora velmora-sim
exec build/velmora-sim "$@"
