#!/usr/bin/env bash
# Runs inside xvfb-run: starts the desktop program in its run folder, lets it wait on the
# title screen and then in a new single-player game's Ready state, and writes what it
# cost as KEY=VALUE lines:
#   first_frame_ms  start of the process to its first presented frame, median of 5 starts
#   title_cpu       CPU use on the title screen, % of one core
#   ready_cpu       CPU use waiting in Ready, % of one core
#   peak_mb         peak resident memory (VmHWM), MB
# Usage: desktop_probe.sh RUN_FOLDER OUTPUT_FILE [SECONDS]
set -euo pipefail

run_dir=$1
out=$2
seconds=${3:-10}
errors=$(mktemp)
shots=$(mktemp -d)
pid=""

stop() {
  [ -n "$pid" ] || return 0
  # The game's sound library catches SIGTERM for an event nobody reads, so a polite
  # request may go unanswered.
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}
cleanup() {
  stop
  rm -rf "$errors" "$shots"
}
trap cleanup EXIT

fail() {
  echo "desktop_probe: $*" >&2
  [ -s "$errors" ] && sed 's/^/  tumbra: /' "$errors" >&2
  exit 1
}

# Starts the program and waits for its first frame; leaves the milliseconds it took in
# $first.
start() {
  TUMBRA_REPORT_FIRST_FRAME=1 SDL_AUDIODRIVER=dummy ./tumbra 2>"$errors" &
  pid=$!
  for _ in $(seq 100); do
    grep -q '^first frame' "$errors" && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its first frame"
    sleep 0.1
  done
  first=$(sed -n 's/^first frame \(-\{0,1\}[0-9]*\) ms$/\1/p' "$errors")
  [ -n "$first" ] || fail "no first frame within 10 s"
}

# utime + stime of the program, in clock ticks (fields 14 and 15 of its stat line; the
# name in parentheses may hold blanks, so count from after it).
cpu_ticks() { sed 's/^.*) //' "/proc/$pid/stat" | awk '{ print $12 + $13 }'; }

# CPU use over the next $seconds seconds, as % of one core.
cpu_use() {
  local t0 t1 w0 w1
  t0=$(cpu_ticks); w0=$(date +%s%N)
  sleep "$seconds"
  t1=$(cpu_ticks); w1=$(date +%s%N)
  awk -v t="$((t1 - t0))" -v w="$((w1 - w0))" -v hz="$(getconf CLK_TCK)" \
    'BEGIN { printf "%.2f", 100 * (t / hz) / (w / 1e9) }'
}

cd "$run_dir"

# The start-up is short and easily disturbed by whatever else the machine does.
starts=()
for _ in 1 2 3 4 5; do
  start
  starts+=("$first")
  stop
done
first_ms=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 3p)

start
window=$(xdotool search --sync --onlyvisible --pid "$pid" --name 'Tumbra' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
# Without a window manager the window is its client area: the menu bar over the
# 760 x 560 picture.
menu_height=$((HEIGHT - 560))

sleep 1  # past the start-up's own work
title_cpu=$(cpu_use)

import -window root "$shots/title.png"
# The single-player button of the title screen.
xdotool mousemove --window "$window" 580 $((130 + menu_height)) click 1
sleep 1
import -window root "$shots/ready.png"
changed=$(compare -metric AE "$shots/title.png" "$shots/ready.png" null: 2>&1 || true)
[ "${changed%% *}" != "0" ] || fail "the click on the title screen started no game"
ready_cpu=$(cpu_use)

peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
kill -0 "$pid" 2>/dev/null || fail "the program ended while it was measured"

{
  echo "first_frame_ms=$first_ms"
  echo "first_frame_starts=${starts[*]}"
  echo "title_cpu=$title_cpu"
  echo "ready_cpu=$ready_cpu"
  echo "peak_mb=$(awk -v k="$peak_kb" 'BEGIN { printf "%.1f", k / 1024 }')"
} >"$out"
