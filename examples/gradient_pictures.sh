#!/usr/bin/env bash
# Pictures of the gradient panel (controls and colour bar) for each preset, drawn by the
# sim's panel renderer:
#   examples/gradient_pictures.sh [OUT_DIR]   (default out/gradient)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target velmora-gradient-pictures
build/velmora-gradient-pictures "${1:-out/gradient}"
