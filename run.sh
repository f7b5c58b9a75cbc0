#!/usr/bin/env bash
# From nothing to a running designer: install packages, build, start lumiker.
set -euo pipefail
cd "$(dirname "$0")"
# The designer opens a window: without a display, say so before the minutes
# of installing and building (--help and --version need none).
case "${1:-}" in
  --help | -h | --version) ;;
  *)
    if [ -z "${DISPLAY:-}" ]; then
      echo "run.sh: no display (DISPLAY is not set), and the designer opens a window." >&2
      echo "Run it under a virtual display:  xvfb-run -a -s \"-screen 0 1920x1080x24\" ./run.sh${*:+ $*}" >&2
      exit 2
    fi
    ;;
esac
tools/install-deps.sh
tools/build.sh
exec build/lumiker "$@"
