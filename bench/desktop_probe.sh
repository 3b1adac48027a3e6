#!/usr/bin/env bash
# Runs inside xvfb-run: starts the desktop program in its run folder, lets it wait on the
# title screen, then in a new single-player game's Ready state, then with the power meter
# running (every frame changes), and writes what it cost as KEY=VALUE lines, each key
# ending in _MODE:
#   title_cpu, ready_cpu, meter_cpu   CPU use of the program and of the X server together,
#                                     % of one core
#   first_frame_ms   start of the process to its first presented frame, median of 5 starts
#   peak_mb          peak resident memory (VmHWM), MB
# MODE is scale1 (the window at scale 1), scale2 (the same under QT_SCALE_FACTOR=2) or
# full (full screen, F11). The first-frame figure is taken in scale1 only.
# Usage: desktop_probe.sh RUN_FOLDER OUTPUT_FILE MODE [SECONDS]
set -euo pipefail

run_dir=$1
out=$2
mode=$3
seconds=${4:-10}
errors=$(mktemp)
work=$(mktemp -d)
pid=""

stop() {
  [ -n "$pid" ] || return 0
  # SIGTERM ends the game as closing its window does; KILL is only for a hung one.
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}
cleanup() {
  stop
  rm -rf "$errors" "$work"
}
trap cleanup EXIT

fail() {
  echo "desktop_probe: $*" >&2
  [ -s "$errors" ] && sed 's/^/  tumbra: /' "$errors" >&2
  exit 1
}

# Starts the program with nothing remembered and waits for its first frame; leaves the
# milliseconds it took in $first.
start() {
  rm -rf "$work/config"
  XDG_CONFIG_HOME=$work/config TUMBRA_REPORT_FIRST_FRAME=1 SDL_AUDIODRIVER=dummy ./tumbra 2>"$errors" &
  pid=$!
  for _ in $(seq 100); do
    grep -q '^first frame' "$errors" && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its first frame"
    sleep 0.1
  done
  first=$(sed -n 's/^first frame \(-\{0,1\}[0-9]*\) ms$/\1/p' "$errors")
  [ -n "$first" ] || fail "no first frame within 10 s"
}

# utime + stime of a process, in clock ticks (fields 14 and 15 of its stat line; the
# name in parentheses may hold blanks, so count from after it).
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }

# The X server of this display: xvfb-run's Xvfb writes its pid into the lock file.
display=${DISPLAY#:}
server=$(tr -d ' ' <"/tmp/.X${display%%.*}-lock")

# CPU use of the program and the server over the next $seconds seconds, as % of one core.
cpu_use() {
  local t0 t1 w0 w1
  t0=$(($(cpu_ticks "$pid") + $(cpu_ticks "$server"))); w0=$(date +%s%N)
  sleep "$seconds"
  t1=$(($(cpu_ticks "$pid") + $(cpu_ticks "$server"))); w1=$(date +%s%N)
  awk -v t="$((t1 - t0))" -v w="$((w1 - w0))" -v hz="$(getconf CLK_TCK)" \
    'BEGIN { printf "%.2f", 100 * (t / hz) / (w / 1e9) }'
}

# A screenshot of the window's picture, to see that a click or a key did something.
shot() { import -window root "$work/$1.png"; }
changed() {
  local count
  count=$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)
  [ "${count%% *}" != "0" ]
}

cd "$run_dir"
[ "$mode" = scale2 ] && export QT_SCALE_FACTOR=2

if [ "$mode" = scale1 ]; then
  # The start-up is short and easily disturbed by whatever else the machine does.
  starts=()
  for _ in 1 2 3 4 5; do
    start
    starts+=("$first")
    stop
  done
  echo "first_frame_ms_$mode=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 3p)" >>"$out"
  echo "first_frame_starts_$mode=${starts[*]}" >>"$out"
fi

start
window=$(xdotool search --sync --onlyvisible --pid "$pid" --name 'Tumbra' | head -n 1)
xdotool windowfocus "$window"
[ "$mode" = full ] && xdotool key F11
sleep 2  # past the start-up's own work
eval "$(xdotool getwindowgeometry --shell "$window")"
shot title
title_cpu=$(cpu_use)

# The Single Player button, wherever the picture lies in the window: F2 is its key.
xdotool key F2
sleep 1
shot ready
changed title ready || fail "F2 on the title screen started no game"
ready_cpu=$(cpu_use)

xdotool key Return
sleep 0.5
shot meter
changed ready meter || fail "Enter did not start the power meter"
meter_cpu=$(cpu_use)

peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
kill -0 "$pid" 2>/dev/null || fail "the program ended while it was measured"

{
  echo "window_$mode=${WIDTH}x$HEIGHT"
  echo "title_cpu_$mode=$title_cpu"
  echo "ready_cpu_$mode=$ready_cpu"
  echo "meter_cpu_$mode=$meter_cpu"
  echo "peak_mb_$mode=$(awk -v k="$peak_kb" 'BEGIN { printf "%.1f", k / 1024 }')"
} >>"$out"
