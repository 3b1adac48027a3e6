#!/usr/bin/env bash
# SIGTERM and SIGINT end the real program as closing its window does: gone within a
# second, exit code 0, on the title screen as well as while a message box is open.
#
# usage: signal_test.sh PROGRAM DATA_FOLDER
# Runs on an X server of its own: start it under xvfb-run.
set -euo pipefail

program=$1 data=$2
title='Tumbra by Qervo Software'

work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill -KILL "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

mkdir "$work/run" "$work/runtime"
chmod 700 "$work/runtime"
cp -R "$data"/. "$work/run"
cd "$work/run"
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime

# Sets $window to the program's window named exactly $1; false after 60 s.
find_window() {
  for _ in $(seq 600); do
    window=$(xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && return 0
    sleep 0.1
  done
  return 1
}

# Starts the program and waits for its title screen, whose buttons then take clicks.
start() {
  "$program" 2>/dev/null &
  pid=$!
  find_window "$title" || fail "no window titled '$title'"
  main=$window
  sleep 2
}

# Sends signal $1 and expects the program gone within a second with exit code 0.
ends_on() {
  kill -s "$1" "$pid"
  for _ in $(seq 10); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  ! kill -0 "$pid" 2>/dev/null || fail "still running a second after SIG$1 $2"
  local status=0
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "exit code $status after SIG$1 $2"
  echo "SIG$1 $2: ended, exit code 0"
}

start
ends_on TERM "on the title screen"

# The Internet button on the title screen answers with a message box.
start
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --sync $((X + 600)) $((Y + HEIGHT - 560 + 330)) click 1
find_window Tumbra || fail "the Internet button showed no message box"
ends_on INT "with a message box open"
