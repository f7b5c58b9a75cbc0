#!/usr/bin/env bash
################################################################################
# bench/live.sh - the running designer measured as a user drives it
#
# Starts the real designer in a copy of a workspace, drives it with xdotool
# and prints a table of what it costs, next to the targets:
#   1. idle on the demo: share of one core over LIVE_IDLE_SECONDS untouched,
#      frames shown a second;
#   2. five clicks on a text (报警), each after a right click has dropped the
#      selection: click to the next frame shown and its CPU (median, max);
#   3. a group drag (Shift+click the two circles, drag by 100 moves at about
#      400 a second): frames a second, CPU a frame (mean, 95th percentile),
#      share of a core;
#   4. the clock's once-a-second frames while idle: CPU a frame (mean, max);
#   5. 200 pointer moves over the panel's empty lower part: frames shown,
#      share of a core;
#   6. 400 texts on a 1024 x 256 panel: five clicks on one text, click to
#      the frame shown and its CPU (median, max);
#   7. the demo's items on a 4096 x 1024 panel: idle share, a drag frame's
#      and a pan frame's CPU (middle button, then the wheel), peak resident
#      memory (VmHWM);
#   8. the demo playing (F7) for SIM_SECONDS from a values file, then from a
#      PLC host that does not answer (a TEST-NET address) and one that takes
#      the connection and never replies: share of a core, frames shown a
#      second, CPU a frame (mean, max) and the longest gap between frames.
#
#   bench/live.sh                       the designer of build/ (built first)
#   bench/live.sh PROGRAM [PROGRAM...]  those programs, one column each
#                                       (e.g. another build's lumiker)
#   LIVE_IDLE_SECONDS=N                 idle spans of N s instead of 20
#   LIVE_STEPS="demo texts big sim"     only these steps (default: all)
#   LIVE_DISPLAY=:N                     the private Xvfb on display N
#   LIVE_SHOTS=DIR                      a screenshot (PNG) after each step,
#                                       to check that the steps did what
#                                       they should (needs xwd and netpbm)
#
# Frames come from the designer's frame log (LUMIKER_FRAME_LOG=FILE, a line
# "SHOWN_US CPU_US" a frame shown). A program without one gets only what
# /proc gives: CPU shares and memory. Idle spans read /proc/PID/stat (clock
# ticks); the short spans of input add up /proc/PID/task/*/schedstat
# (nanoseconds), as ticks of 10 ms are too coarse for a quarter of a second.
# A click's time runs from just before xdotool starts: it includes xdotool's
# own start, printed under the table.
#
# Sections: settings; programs, display, temporary folder; measuring; the
# steps (demo, 400 texts, large panel, simulation); the table.
#
# Limits: runs under a private Xvfb 1920 x 1080 x 24 unless DISPLAY is set;
# the positions clicked assume the window the designer opens there (at least
# 1300 x 791, the panel's dot (0, 0) at window pixel 265, 145, 2 pixels a
# dot). Software GL under Xvfb (Mesa llvmpipe) is what is measured. Takes
# about 3 minutes a program.
# Depends on: bash, Xvfb, xdotool, python3 (the silent PLC), a C++ compiler (bench/live/stamp.cpp, the
# monotonic clock, is compiled into the temporary folder), awk, sort.
# Does NOT: fail when a target is missed (it is a measurement, not a test),
# change the workspace it copies, or save anything.
################################################################################
set -euo pipefail

# ---- settings -----------------------------------------------------------------
IDLE_S="${LIVE_IDLE_SECONDS:-20}"
SETTLE_S=2                 # after the window shows, before anything is measured
SCREEN="1920x1080x24"
MOVE_SLEEP_S=0.002         # between two xdotool moves: about 400 moves a second
AFTER_INPUT_S=0.6          # long enough for the frames an input causes
TICK_WAIT_POLLS=150        # 10 ms polls for the clock's next frame
WINDOW_WAIT_POLLS=200      # 100 ms polls for the window to show
# Targets (software GL).
T_IDLE_PCT=0.3
T_INPUT_FRAME_MS=4
T_CLICK_400_MS=30
T_BIG_IDLE_PCT=2
T_BIG_DRAG_MS=16
T_BIG_PAN_MS=16
T_BIG_MEM_MB=300
# Window pixels of the demo's items and spans.
TEXT_X=600; TEXT_Y=240     # the text 报警
CIRCLE_X=434; CIRCLE_Y=276 # the circle
DISC_X=486; DISC_Y=286     # the filled circle
EMPTY_X=700; EMPTY_Y=380   # an empty spot of the panel (right click there)
CLICKS=5                   # clicks measured, each on a fresh selection
DRAG_MOVES=100; DRAG_STEP=2
HOVER_MOVES=200; HOVER_X0=280; HOVER_Y=390; HOVER_STEP=2
BIG_DRAG_MOVES=50
PAN_X=1000; PAN_Y=700; PAN_MOVES=50; PAN_DX=-8; PAN_DY=-4
WHEEL_NOTCHES=10
SIM_SECONDS=10
T_SIM_PCT=25
DEAD_HOST=192.0.2.1        # TEST-NET-1: nothing answers there
SIM_PERIOD_MS=200
# The 400 texts: 25 columns 40 dots apart, 16 rows 16 dots apart.
TEXTS_COLS=25; TEXTS_ROWS=16; TEXTS_DX=40; TEXTS_DY=16; TEXTS_X0=10
TEXTS_CLICK_COL=12; TEXTS_CLICK_ROW=8
TEXTS_EMPTY_X=700; TEXTS_EMPTY_Y=700   # below that panel
PANEL_PX_X=265; PANEL_PX_Y=145; PITCH=2

here="$(cd "$(dirname "$0")" && pwd)"
repo="$(dirname "$here")"

# ---- programs, display, temporary folder ---------------------------------------
programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
  (cd "$repo" && cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
     cmake --build build -j2 --target lumiker fonts >/dev/null)
  programs=("$repo/build/lumiker")
fi
for i in "${!programs[@]}"; do
  p="$(readlink -f "${programs[$i]}")"
  [ -x "$p" ] || { echo "live.sh: no program at ${programs[$i]}" >&2; exit 2; }
  programs[$i]="$p"
done

tmp="$(mktemp -d /tmp/lumiker-live.XXXXXX)"
xvfb_pid=""
app_pid=""
cleanup() {
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; wait "$app_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ] || [ -n "${LIVE_DISPLAY:-}" ]; then
  if [ -n "${LIVE_DISPLAY:-}" ]; then
    Xvfb "$LIVE_DISPLAY" -screen 0 "$SCREEN" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY="$LIVE_DISPLAY"
  else
    # Xvfb picks a free display number and writes it to the pipe.
    Xvfb -displayfd 3 -screen 0 "$SCREEN" -nolisten tcp 3>"$tmp/display" >/dev/null 2>&1 &
    xvfb_pid=$!
  fi
  for _ in $(seq 100); do
    [ -z "${LIVE_DISPLAY:-}" ] && [ -s "$tmp/display" ] && export DISPLAY=":$(head -1 "$tmp/display")"
    [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1 && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "live.sh: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
  done
fi
xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "live.sh: no X display" >&2; exit 1; }

stamp="$tmp/stamp"
c++ -O2 -o "$stamp" "$here/live/stamp.cpp"

# ---- measuring ------------------------------------------------------------------
declare -A R        # R[column:key] = the measured value, printed as it is
notes=()            # what went wrong, printed under the table
hz="$(getconf CLK_TCK)"

now_us() { "$stamp"; }

# CPU of the whole process from /proc/PID/stat (user + system), microseconds.
stat_cpu_us() { awk -v hz="$hz" '{ printf "%d\n", ($14 + $15) * 1000000 / hz }' "/proc/$app_pid/stat" 2>/dev/null || echo 0; }

# CPU of every thread from their schedstat, microseconds (finer than stat).
fine_cpu_us() {
  cat /proc/"$app_pid"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d\n", s / 1000 }'
}

# Share of one core, in per cent, of CPU_US over WALL_US.
share() { awk -v c="$1" -v w="$2" 'BEGIN { printf "%.2f", (w > 0 ? 100 * c / w : 0) }'; }

# The frames shown in (T0, T1]: "COUNT MEAN_MS P95_MS MAX_MS" of their CPU.
frames_in() {
  awk -v a="$1" -v b="$2" '$1 > a && $1 <= b { print $2 }' "$log" | sort -n |
    awk '{ v[NR] = $1; s += $1 } END {
      if (NR == 0) { print 0, "-", "-", "-"; exit }
      k = int(0.95 * NR); if (k < 0.95 * NR) k++
      printf "%d %.2f %.2f %.2f\n", NR, s / NR / 1000, v[k] / 1000, v[NR] / 1000 }'
}

# The first frame shown after T0: "DELAY_MS CPU_MS", or nothing.
first_frame_after() {
  awk -v a="$1" '$1 > a { printf "%.2f %.2f\n", ($1 - a) / 1000, $2 / 1000; exit }' "$log"
}

has_log() { [ -s "$log" ]; }
frames_logged() { if [ -f "$log" ]; then wc -l <"$log"; else echo 0; fi; }

# Wait for the clock's next frame, so input lands well between two of them.
after_tick() {
  if has_log; then
    local n0
    n0="$(frames_logged)"
    for _ in $(seq "$TICK_WAIT_POLLS"); do
      [ "$(frames_logged)" -gt "$n0" ] && break
      sleep 0.01
    done
  fi
  sleep 0.1
}

# xdotool moves from X0,Y0 by DX,DY, N times, at about 400 a second.
moves() {
  local x="$1" y="$2" dx="$3" dy="$4" n="$5" args=() k
  for ((k = 1; k <= n; k++)); do
    args+=(mousemove --window "$win" $((x + k * dx)) $((y + k * dy)) sleep "$MOVE_SLEEP_S")
  done
  "$stamp" "$tmp/t" xdotool "${args[@]}"
}

point() { xdotool mousemove --window "$win" "$1" "$2"; sleep 0.2; }

# Screenshot NAME into LIVE_SHOTS.
shot() {
  [ -n "${LIVE_SHOTS:-}" ] || return 0
  mkdir -p "$LIVE_SHOTS"
  xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$LIVE_SHOTS/$col-$1.png" 2>/dev/null || true
}

# A copy of the demo workspace with the panel WIDTH x HEIGHT, in $tmp/NAME.
workspace() {
  local dir="$tmp/$1"
  rm -rf "$dir"
  mkdir -p "$dir"
  cp -r "$repo/workspace/." "$dir/"
  [ -d "$fonts" ] && cp -r "$fonts" "$dir/Font"
  sed -i "s/^WIDTH=.*/WIDTH=$2/; s/^HEIGHT=.*/HEIGHT=$3/" "$dir/SysCfg.ini"
}

# Start the designer on $tmp/NAME; true when its window showed.
start() {
  log="$tmp/$1.frames"
  rm -f "$log"
  LUMIKER_FRAME_LOG="$log" "$program" "$tmp/$1" >"$tmp/$1.out" 2>&1 &
  app_pid=$!
  win=""
  for _ in $(seq "$WINDOW_WAIT_POLLS"); do
    win="$(xdotool search --all --onlyvisible --pid "$app_pid" --name '^lumiker' 2>/dev/null | head -1 || true)"
    [ -n "$win" ] && break
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$win" ]; then
    notes+=("$col: $1: the window never showed ($(tail -1 "$tmp/$1.out" 2>/dev/null))")
    stop
    return 1
  fi
  xdotool mousemove 0 0
  sleep "$SETTLE_S"
}

# Still running? Otherwise note the step it ended in.
alive() {
  if kill -0 "$app_pid" 2>/dev/null; then return 0; fi
  local rc=0
  wait "$app_pid" 2>/dev/null || rc=$?
  notes+=("$col: the designer ended during $1 (status $rc)")
  app_pid=""
  return 1
}

stop() {
  [ -n "$app_pid" ] || return 0
  kill "$app_pid" 2>/dev/null || true
  for _ in $(seq 30); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
}

peak_mb() { awk '/^VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$app_pid/status" 2>/dev/null || echo -; }

# Idle for IDLE_S: R[KEY_share] and, with a log, frames a second and their CPU.
idle() {
  local key="$1" c0 c1 t0 t1 f
  c0="$(stat_cpu_us)"; t0="$(now_us)"
  sleep "$IDLE_S"
  c1="$(stat_cpu_us)"; t1="$(now_us)"
  R[$col:${key}_share]="$(share $((c1 - c0)) $((t1 - t0)))"
  if has_log; then
    f="$(frames_in "$t0" "$t1")"
    R[$col:${key}_fps]="$(awk -v n="${f%% *}" -v w=$((t1 - t0)) 'BEGIN { printf "%.2f", n * 1e6 / w }')"
    read -r _ mean _ max <<<"$f"
    R[$col:${key}_tick]="$mean / $max"
  fi
}

# CLICKS clicks on X,Y, each after a right click on EX,EY has dropped the
# selection: R[KEY_delay], R[KEY_cpu], each "median / max" of the first frame
# shown after each click.
click() {
  local key="$1" x="$2" y="$3" ex="$4" ey="$5" k t0 f all=""
  for ((k = 0; k < CLICKS; k++)); do
    point "$ex" "$ey"
    xdotool click 3
    sleep 0.3
    point "$x" "$y"
    after_tick
    rm -f "$tmp/t"
    "$stamp" "$tmp/t" xdotool click 1
    sleep "$AFTER_INPUT_S"
    has_log || continue
    t0="$(tail -1 "$tmp/t")"
    f="$(first_frame_after "$t0")"
    if [ -z "$f" ]; then
      notes+=("$col: $key: no frame was shown after click $((k + 1))")
      continue
    fi
    all+="$f"$'\n'
  done
  has_log || return 0
  [ -n "$all" ] || { R[$col:${key}_delay]="no frame"; return 0; }
  R[$col:${key}_delay]="$(median_max 1 <<<"$all")"
  R[$col:${key}_cpu]="$(median_max 2 <<<"$all")"
}

# "MEDIAN / MAX" of column N of the lines read.
median_max() {
  awk -v c="$1" 'NF { print $c }' | sort -n |
    awk '{ v[NR] = $1 } END { printf "%.2f / %.2f\n", v[int((NR + 1) / 2)], v[NR] }'
}

# A span of moves (the arguments of moves) with the share of a core and the
# frames shown: R[KEY_share], R[KEY_rate], R[KEY_fps], R[KEY_frames], R[KEY_cpu].
span() {
  local key="$1" t0 t1 c0 c1 f n mean p95 max
  shift
  rm -f "$tmp/t"
  c0="$(fine_cpu_us)"
  moves "$@"
  t1="$(now_us)"
  sleep 0.05
  c1="$(fine_cpu_us)"
  t0="$(head -1 "$tmp/t")"
  local wall=$((t1 - t0 + 50000))
  R[$col:${key}_share]="$(share $((c1 - c0)) "$wall")"
  R[$col:${key}_rate]="$(awk -v n="$5" -v w=$((t1 - t0)) 'BEGIN { printf "%.0f", n * 1e6 / w }')"
  has_log || return 0
  f="$(frames_in "$t0" $((t1 + 50000)))"
  read -r n mean p95 max <<<"$f"
  R[$col:${key}_frames]="$n"
  R[$col:${key}_fps]="$(awk -v n="$(frames_in "$t0" "$t1" | cut -d' ' -f1)" -v w=$((t1 - t0)) 'BEGIN { printf "%.0f", n * 1e6 / w }')"
  R[$col:${key}_cpu]="$mean / $p95"
  R[$col:${key}_max]="$max"
}

# xdotool's own start: the time a move to where the pointer is takes.
xdotool_start_ms() {
  local t0 t1
  t0="$(now_us)"; xdotool mousemove --window "$win" "$EMPTY_X" "$EMPTY_Y"; t1="$(now_us)"
  awk -v d=$((t1 - t0)) 'BEGIN { printf "%.1f", d / 1000 }'
}

# ---- the steps ------------------------------------------------------------------
# The steps on the demo: idle, click, group drag, pointer over empty space.
run_demo() {
  workspace demo 384 128
  start demo || return 0
  R[$col:log]="$(has_log && echo yes || echo no)"
  idle idle
  alive "the idle span" || return 0
  shot idle
  click click "$TEXT_X" "$TEXT_Y" "$EMPTY_X" "$EMPTY_Y"
  alive "the click" || return 0
  shot click
  R[$col:xdotool]="$(xdotool_start_ms)"
  # Right click on empty space drops the selection, then the group is made.
  point "$EMPTY_X" "$EMPTY_Y"
  xdotool click 3
  point "$CIRCLE_X" "$CIRCLE_Y"
  xdotool keydown shift click 1
  point "$DISC_X" "$DISC_Y"
  xdotool click 1 keyup shift
  sleep 0.3
  after_tick
  xdotool mousedown 1
  sleep 0.1
  span drag "$DISC_X" "$DISC_Y" "$DRAG_STEP" 0 "$DRAG_MOVES"
  xdotool mouseup 1
  sleep 0.3
  alive "the group drag" || return 0
  shot drag
  point "$HOVER_X0" "$HOVER_Y"
  sleep 0.3
  after_tick
  span hover "$HOVER_X0" "$HOVER_Y" "$HOVER_STEP" 0 "$HOVER_MOVES"
  alive "the pointer moves" || return 0
  R[$col:demo_mem]="$(peak_mb)"
  stop
}

# 400 texts on a 1024 x 256 panel: a click on one of them.
run_texts() {
  workspace texts 1024 256
  local cmd="$tmp/texts/ledsys/CMD1/cmd.txt" r c
  {
    printf 'led clearall\r\n'
    for ((r = 0; r < TEXTS_ROWS; r++)); do
      for ((c = 0; c < TEXTS_COLS; c++)); do
        printf 'led 16t %d %d %d T%03d\r\n' $(((r * TEXTS_COLS + c) % 7 + 1)) \
          $((TEXTS_X0 + c * TEXTS_DX)) $((r * TEXTS_DY)) $((r * TEXTS_COLS + c + 1))
      done
    done
  } >"$cmd"
  start texts || return 0
  click texts $((PANEL_PX_X + PITCH * (TEXTS_X0 + TEXTS_CLICK_COL * TEXTS_DX + 8))) \
    $((PANEL_PX_Y + PITCH * (TEXTS_CLICK_ROW * TEXTS_DY + 8))) "$TEXTS_EMPTY_X" "$TEXTS_EMPTY_Y"
  alive "the click on one of 400 texts" || return 0
  shot texts
  stop
}

# The demo's items on a 4096 x 1024 panel: idle, a drag, a pan, the wheel.
run_big() {
  workspace big 4096 1024
  start big || return 0
  idle big_idle
  alive "the idle span of the large panel" || return 0
  point "$TEXT_X" "$TEXT_Y"
  after_tick
  xdotool mousedown 1
  sleep 0.1
  span big_drag "$TEXT_X" "$TEXT_Y" "$DRAG_STEP" 0 "$BIG_DRAG_MOVES"
  xdotool mouseup 1
  sleep 0.3
  alive "the drag on the large panel" || return 0
  shot big-drag
  point "$PAN_X" "$PAN_Y"
  after_tick
  xdotool mousedown 2
  sleep 0.1
  span big_pan "$PAN_X" "$PAN_Y" "$PAN_DX" "$PAN_DY" "$PAN_MOVES"
  xdotool mouseup 2
  sleep 0.3
  alive "the pan on the large panel" || return 0
  shot big-pan
  after_tick
  local t0 t1 f
  t0="$(now_us)"
  xdotool click --repeat "$WHEEL_NOTCHES" --delay 50 5
  sleep 0.1
  t1="$(now_us)"
  if has_log; then
    f="$(frames_in "$t0" "$t1")"
    R[$col:big_wheel_frames]="${f%% *}"
    R[$col:big_wheel_cpu]="$(cut -d' ' -f2,4 <<<"$f" | sed 's/ / \/ /')"
  fi
  alive "the wheel on the large panel" || return 0
  shot big-wheel
  R[$col:big_mem]="$(peak_mb)"
  stop
}

# The longest gap between two frames shown in (T0, T1], ms.
longest_gap() {
  awk -v a="$1" -v b="$2" '$1 > a && $1 <= b { if (p) { g = $1 - p; if (g > m) m = g } p = $1 }
    END { printf "%.1f\n", m / 1000 }' "$log"
}

# The demo playing from the values file SOURCE (a name under $tmp/sim) for
# SIM_SECONDS: what idle() measures, and R[KEY_gap].
sim_span() {
  local key="$1" source="$2" t0 t1
  cp "$tmp/$source" "$tmp/sim/sim_values.ini"
  start sim || return 0
  xdotool key --window "$win" F7
  sleep 1
  t0="$(now_us)"
  IDLE_S="$SIM_SECONDS" idle "$key"
  t1="$(now_us)"
  has_log && R[$col:${key}_gap]="$(longest_gap "$t0" "$t1")"
  alive "the simulation ($source)" || return 0
  shot "$key"
  stop
}

# The demo playing from a values file, a dead host and a silent one.
run_sim() {
  workspace sim 384 128
  printf '[registers]\n1=1234\n6=1\n' >"$tmp/file.ini"
  printf '[modbus]\nhost=%s\nport=502\nperiod_ms=%d\n' "$DEAD_HOST" "$SIM_PERIOD_MS" >"$tmp/dead.ini"
  sim_span sim_file file.ini
  sim_span sim_dead dead.ini
  # A PLC that takes the connection and never says a word.
  python3 -c 'import socket,sys,time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(8)
print(s.getsockname()[1], flush=True)
held = []
while True: held.append(s.accept()[0])' >"$tmp/silent.port" &
  local silent_pid=$!
  for _ in $(seq 50); do [ -s "$tmp/silent.port" ] && break; sleep 0.1; done
  printf '[modbus]\nhost=127.0.0.1\nport=%s\nperiod_ms=%d\n' "$(head -1 "$tmp/silent.port")" "$SIM_PERIOD_MS" \
    >"$tmp/silent.ini"
  sim_span sim_silent silent.ini
  kill "$silent_pid" 2>/dev/null || true
  wait "$silent_pid" 2>/dev/null || true
}

for col in "${!programs[@]}"; do
  program="${programs[$col]}"
  fonts="$(dirname "$program")/Font"
  [ -d "$fonts" ] || fonts="$repo/build/Font"
  echo "measuring $program ..." >&2
  for step in ${LIVE_STEPS:-demo texts big sim}; do "run_$step"; done
done

# ---- the table --------------------------------------------------------------------
# Each row: "label|key|target text|target number (a value at most this meets it)".
rows=(
  "1 idle, demo: share of a core (%)|idle_share|<= $T_IDLE_PCT|$T_IDLE_PCT"
  "  frames shown a second|idle_fps||"
  "2 click on a text: to the next frame, median / max (ms)|click_delay||"
  "  that frame's CPU, median / max (ms)|click_cpu|<= $T_INPUT_FRAME_MS|$T_INPUT_FRAME_MS"
  "3 group drag: moves a second|drag_rate|about 400|"
  "  frames shown a second|drag_fps||"
  "  CPU a frame, mean / p95 (ms)|drag_cpu|<= $T_INPUT_FRAME_MS|$T_INPUT_FRAME_MS"
  "  CPU a frame, max (ms)|drag_max|<= $T_INPUT_FRAME_MS|$T_INPUT_FRAME_MS"
  "  share of a core (%)|drag_share||"
  "4 clock tick: CPU a frame, mean / max (ms)|idle_tick||"
  "5 moves over empty space: frames shown|hover_frames|about 0|"
  "  moves a second|hover_rate|about 400|"
  "  share of a core (%)|hover_share||"
  "6 400 texts: click to the frame shown, median / max (ms)|texts_delay|<= $T_CLICK_400_MS|$T_CLICK_400_MS"
  "  that frame's CPU, median / max (ms)|texts_cpu|<= $T_INPUT_FRAME_MS|$T_INPUT_FRAME_MS"
  "7 4096 x 1024: idle share of a core (%)|big_idle_share|< $T_BIG_IDLE_PCT|$T_BIG_IDLE_PCT"
  "  drag: CPU a frame, mean / p95 (ms)|big_drag_cpu|<= $T_BIG_DRAG_MS|$T_BIG_DRAG_MS"
  "  drag: CPU a frame, max (ms)|big_drag_max|<= $T_BIG_DRAG_MS|$T_BIG_DRAG_MS"
  "  drag: frames shown a second|big_drag_fps||"
  "  drag: share of a core (%)|big_drag_share||"
  "  pan: CPU a frame, mean / p95 (ms)|big_pan_cpu|<= $T_BIG_PAN_MS|$T_BIG_PAN_MS"
  "  pan: CPU a frame, max (ms)|big_pan_max|<= $T_BIG_PAN_MS|$T_BIG_PAN_MS"
  "  pan: frames shown a second|big_pan_fps||"
  "  pan: share of a core (%)|big_pan_share||"
  "  wheel ($WHEEL_NOTCHES notches): frames shown|big_wheel_frames||"
  "  wheel: CPU a frame, mean / max (ms)|big_wheel_cpu|<= $T_BIG_PAN_MS|$T_BIG_PAN_MS"
  "  peak resident memory (MB)|big_mem|< $T_BIG_MEM_MB|$T_BIG_MEM_MB"
  "  (demo's peak resident memory, MB)|demo_mem||"
  "8 simulation, values file: share of a core (%)|sim_file_share|<= $T_SIM_PCT|$T_SIM_PCT"
  "  frames shown a second|sim_file_fps|about 60|"
  "  CPU a frame, mean / max (ms)|sim_file_tick||"
  "  longest gap between frames (ms)|sim_file_gap||"
  "  dead host: share of a core (%)|sim_dead_share|<= $T_SIM_PCT|$T_SIM_PCT"
  "  dead host: frames shown a second|sim_dead_fps|about 60|"
  "  dead host: CPU a frame, mean / max (ms)|sim_dead_tick||"
  "  dead host: longest gap between frames (ms)|sim_dead_gap||"
  "  silent host: share of a core (%)|sim_silent_share|<= $T_SIM_PCT|$T_SIM_PCT"
  "  silent host: frames shown a second|sim_silent_fps|about 60|"
  "  silent host: CPU a frame, mean / max (ms)|sim_silent_tick||"
  "  silent host: longest gap between frames (ms)|sim_silent_gap||"
)

# A value against its target: the value with " ok" or " MISSED"; for "A / B"
# the larger number decides.
judge() {
  local v="$1" limit="$2"
  if [ -z "$limit" ] || ! [[ "$v" =~ ^[0-9] ]]; then printf '%s' "$v"; return; fi
  awk -v v="$v" -v l="$limit" 'BEGIN { n = split(v, p, " / "); m = p[1] + 0
    for (i = 2; i <= n; i++) if (p[i] + 0 > m) m = p[i] + 0
    printf "%s %s", v, (m <= l ? "ok" : "MISSED") }'
}

echo
echo "The designer driven live on display $DISPLAY ($(xdotool getdisplaygeometry)), software GL"
for col in "${!programs[@]}"; do
  printf '  [%d] %s (frame log: %s)\n' $((col + 1)) "${programs[$col]}" "${R[$col:log]:-no}"
done
printf '%-58s %-12s' "" "target"
for col in "${!programs[@]}"; do printf ' %-22s' "[$((col + 1))]"; done
echo
for row in "${rows[@]}"; do
  IFS='|' read -r label key target limit <<<"$row"
  printf '%-58s %-12s' "$label" "$target"
  for col in "${!programs[@]}"; do printf ' %-22s' "$(judge "${R[$col:$key]:--}" "$limit")"; done
  echo
done
for col in "${!programs[@]}"; do
  [ "${R[$col:log]:-}" = yes ] && [ -n "${R[$col:xdotool]:-}" ] &&
    echo "[$((col + 1))] click times include xdotool's own start: a whole xdotool move takes ${R[$col:xdotool]} ms"
done
for n in "${notes[@]+"${notes[@]}"}"; do echo "note: $n"; done
