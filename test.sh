#!/usr/bin/env bash
# Install packages, build, and run every test: once in the normal build and
# once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh
(cd build && ctest --output-on-failure -j 2)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DLUMIKER_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$(nproc)"
# The GL drivers keep allocations for the life of the process: leaks are not checked.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j 2)
