#!/usr/bin/env bash
# Install packages, build, and run every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh
cd build
ctest --output-on-failure -j 2
