#!/usr/bin/env bash
# Pictures of one stroke per tool on the example limb, drawn by the sim's renderer:
#   examples/tool_pictures.sh [OUT_DIR]   (default out/tools)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target velmora-tool-pictures
build/velmora-tool-pictures examples "${1:-out/tools}"
