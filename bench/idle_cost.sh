#!/usr/bin/env bash
# The CPU the game uses while it idles on the main menu: starts build/kavo-game
# on a fresh virtual X display (Xvfb, 1280x1024x24) with a private home, skips
# the logos, waits for loading and clicks "Continue" on the title screen, then
# reads the process's CPU time over SECONDS seconds (default 20) and prints it
# as a share of one core, with the load average. Fails when the game is gone
# before the end. The main menu of a fresh profile shows the name dialog,
# which is redrawn every update.
#   bench/idle_cost.sh [build folder] [seconds]
# KAVO_IDLE_SHOT=file.xwd keeps a picture of the window at the end;
# KAVO_IDLE_PERF=file records a perf profile of the measured seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
seconds=${2:-20}
game=$build/kavo-game
[ -x "$game" ] || { echo "idle_cost: build $game first" >&2; exit 1; }
for tool in Xvfb xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "idle_cost: $tool is needed" >&2; exit 1; }
done

scratch=$(mktemp -d)
xvfb=""
game_pid=""
cleanup() {
  if [ -n "$game_pid" ]; then
    kill "$game_pid" 2>/dev/null || true
    sleep 0.5
    kill -9 "$game_pid" 2>/dev/null || true
  fi
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# A display number of our own: another program may take a free-looking
# number at the same moment, and then our server is the one that quits.
display=""
for _ in 1 2 3 4 5; do
  number=$((200 + RANDOM % 300))
  while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do number=$((number + 1)); done
  Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 1 80); do
    kill -0 "$xvfb" 2>/dev/null || break
    if DISPLAY=:$number xwininfo -root >/dev/null 2>&1; then display=:$number; break; fi
    sleep 0.25
  done
  sleep 0.5
  if [ -n "$display" ] && kill -0 "$xvfb" 2>/dev/null; then break; fi
  display=""
  kill "$xvfb" 2>/dev/null || true
  xvfb=""
done
[ -n "$display" ] || { echo "idle_cost: no Xvfb display could be started" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }

mkdir -p "$scratch/home" "$scratch/runtime"
env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$scratch/home" KAVO_RUNTIME_DIR="$scratch/runtime" \
  DISPLAY="$display" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$game" >"$scratch/run.log" 2>&1 &
game_pid=$!

# The window is looked up again for every step: the game may have replaced it.
window=""
find_window() {
  window=$(DISPLAY=$display xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | tail -1 || true)
}
for _ in $(seq 1 80); do
  find_window
  [ -n "$window" ] && break
  sleep 0.25
done
[ -n "$window" ] || { echo "idle_cost: the game showed no window" >&2; cat "$scratch/run.log" >&2; exit 1; }
move() { find_window; DISPLAY=$display xdotool mousemove --window "$window" "$1" "$2" 2>/dev/null || true; }
click() { move "$1" "$2"; DISPLAY=$display xdotool click 1 2>/dev/null || true; }
# The logos end on a click; the title screen's "Continue" appears once
# loading is done.
sleep 1
click 512 384
sleep 6
click "${KAVO_CONTINUE_X:-640}" "${KAVO_CONTINUE_Y:-551}"
sleep 3
# Away from every button, so that nothing is hovered.
move 5 5

ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
start=$(date +%s.%N)
if [ -n "${KAVO_IDLE_PERF:-}" ]; then
  perf record -g -o "$KAVO_IDLE_PERF" -p "$game_pid" -- sleep "$seconds" >/dev/null 2>&1
else
  sleep "$seconds"
fi
kill -0 "$game_pid" 2>/dev/null || { echo "idle_cost: the game ended early" >&2; cat "$scratch/run.log" >&2; exit 1; }
after=$(ticks)
end=$(date +%s.%N)
if [ -n "${KAVO_IDLE_SHOT:-}" ]; then
  find_window
  DISPLAY=$display xwd -id "$window" -silent >"$KAVO_IDLE_SHOT"
fi
awk -v t=$((after - before)) -v hz="$hz" -v s="$start" -v e="$end" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" \
  'BEGIN { printf "idle on the main menu: %.1f %% of one core over %.1f s (load average %s)\n", 100 * t / hz / (e - s), e - s, load }'
