#!/usr/bin/env bash
# SIGTERM and SIGINT end the real program as closing its window does: gone within a
# second, exit code 0, on the title screen as well as while a message box is open.
#
# usage: signal_test.sh PROGRAM DATA_FOLDER
# Runs on an X server of its own: start it under xvfb-run.
set -euo pipefail

program=$1 data=$2
work=$(mktemp -d)
pid=""
trap '[ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }

cp -R "$data" "$work/run" && cd "$work/run"
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work  # made private by mktemp

# Sets $window to the program's window titled exactly $1, waiting up to a minute.
find_window() {
  window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" --name "^$1\$" | head -n 1) ||
    fail "no window titled '$1'"
}

# Starts the program and waits for its title screen, whose buttons then take clicks.
start() {
  "$program" 2>/dev/null &
  pid=$!
  find_window 'Tumbra by Qervo Software'
  sleep 3
}

# Sends signal $1; the program must be gone within a second, with exit code 0.
ends_on() {
  kill -s "$1" "$pid"
  for _ in $(seq 10); do kill -0 "$pid" 2>/dev/null && sleep 0.1; done
  ! kill -0 "$pid" 2>/dev/null || fail "still running a second after SIG$1 $2"
  wait "$pid" || fail "exit code $? after SIG$1 $2"
  pid=""
}

start
ends_on TERM "on the title screen"

start
eval "$(xdotool getwindowgeometry --shell "$window")"
# The Internet button, under the menu bar, answers with a message box.
xdotool mousemove --sync $((X + 600)) $((Y + HEIGHT - 560 + 330)) click 1
find_window Tumbra
ends_on INT "with a message box open"
