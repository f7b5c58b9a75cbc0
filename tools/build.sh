#!/usr/bin/env bash
# Configure and build lumiker into build/ (the build folder is the workspace),
# with Debian's compiler and linker flags and all their hardening (PIE, stack
# protector, fortify, relro, -z now, stack clash and control-flow
# protection), as the Debian package is built.
set -euo pipefail
cd "$(dirname "$0")/.."
# Stack clash and control-flow protection are added as debian/rules adds
# them (see there).
flags() {
  DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_APPEND="-fstack-clash-protection -fcf-protection" \
    dpkg-buildflags --get "$1"
}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build build -j "$(nproc)"
