#!/usr/bin/env bash
# Configure and build lumiker into build/ (the build folder is the workspace).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
