#!/usr/bin/env bash
# Run the designer with its demo layout for 10 s, untouched, and print the
# share of one core it used (user + system time over wall time) and its
# resident memory. Runs under a private Xvfb when there is no display.
#   bench/idle_cpu.sh              the designer built into build/
#   bench/idle_cpu.sh PROGRAM      another build (it finds its workspace beside itself)
#   IDLE_SECONDS=N                 measure N seconds instead of 10
set -euo pipefail
cd "$(dirname "$0")/.."
program="${1:-}"
if [ -z "${DISPLAY:-}" ]; then
  [ -n "$program" ] || { tools/build.sh >/dev/null; program=build/lumiker; }
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$program"
fi
if [ -z "$program" ]; then
  tools/build.sh >/dev/null
  program=build/lumiker
fi
program="$(readlink -f "$program")"
seconds="${IDLE_SECONDS:-10}"

measure() {
  "$program" >/dev/null 2>&1 &
  local pid=$!
  sleep 2   # start-up and the first frames are not idle time
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "the designer ended during start-up" >&2
    exit 1
  fi
  local hz t0 t1
  hz=$(getconf CLK_TCK)
  t0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$seconds"
  t1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  local rss
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  awk -v d="$((t1 - t0))" -v hz="$hz" -v s="$seconds" -v rss="$rss" -v p="$program" 'BEGIN {
    printf "%s: idle CPU %.1f %% of one core over %d s, resident memory %.1f MB\n", p, 100 * d / hz / s, s, rss / 1024 }'
}

measure
