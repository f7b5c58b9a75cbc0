#!/usr/bin/env bash
# From nothing to a running designer: install packages, build, start lumiker.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh
exec build/lumiker "$@"
