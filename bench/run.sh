#!/usr/bin/env bash
# Run the benchmarks; without a display they run under a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh >/dev/null
if [ -n "${DISPLAY:-}" ]; then
  exec build/lumiker_bench "$@"
fi
exec xvfb-run -a -s "-screen 0 1600x1000x24" build/lumiker_bench "$@"
