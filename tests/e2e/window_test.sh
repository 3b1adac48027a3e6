#!/usr/bin/env bash
# The real program in a real window: title, menu bar, a click on Single Player, a throw
# with two Enters, and a close through the close box, checked from screenshots against
# the frames the replay driver draws for the same moments.
#
# usage: window_test.sh PROGRAM REPLAY DATA_FOLDER CLOSE_WINDOW
# Runs on an X server of its own: start it under xvfb-run.
set -euo pipefail

program=$1 replay=$2 data=$3 close_window=$4
title='Tumbra by Qervo Software'
view_w=760 view_h=560
timeout=60  # seconds for anything to show up: generous, a slow machine only waits longer

work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -s "$work/stderr.log" ]; then sed 's/^/  program: /' "$work/stderr.log" >&2; fi
  exit 1
}

# Runs the command until it succeeds; false after $timeout seconds.
poll() {
  local end=$((SECONDS + timeout))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.2
  done
}

# Number of pixels that differ between two pictures, within WxH+X+Y when given.
differing() {
  local a=$1 b=$2 region=${3:-}
  if [ -n "$region" ]; then
    convert "$a" -crop "$region" +repage "$work/crop_a.png"
    convert "$b" -crop "$region" +repage "$work/crop_b.png"
    a=$work/crop_a.png b=$work/crop_b.png
  fi
  local count
  count=$(compare -metric AE "$a" "$b" null: 2>&1) || [ $? -eq 1 ] || fail "compare: $count"
  echo "${count%% *}"
}

# The game's picture on screen, without the menu bar.
shot() { import -window root -crop "${view_w}x${view_h}+$view_x+$view_y" +repage "$1"; }

# True when the screen shows the reference frame, but for at most $2 per mille of its
# pixels within the region $3 (the whole picture when not given).
screen_matches() {
  local reference=$1 per_mille=$2 region=${3:-${view_w}x${view_h}+0+0}
  local w=${region%%x*} rest=${region#*x}
  local h=${rest%%+*}
  shot "$work/now.png"
  [ "$(differing "$work/now.png" "$reference" "$region")" -le $((w * h * per_mille / 1000)) ]
}

# True when two screenshots taken one after the other differ within the region.
screen_changes() {
  shot "$work/a.png"
  sleep 0.1
  shot "$work/b.png"
  [ "$(differing "$work/a.png" "$work/b.png" "$1")" -gt 0 ]
}

# A fresh copy of the game's folder: the program reads everything from where it runs.
mkdir "$work/run" "$work/refs" "$work/runtime"
chmod 700 "$work/runtime"
cp -R "$data"/. "$work/run"
cd "$work/run"
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime

# What each moment must look like, drawn by the same game on its virtual clock: the title,
# a new single-player game waiting for Enter, and the computer's turn after one throw.
"$replay" >/dev/null 2>"$work/replay.log" <<EOF || fail "the replay driver failed: $(cat "$work/replay.log")"
pass 3
shot $work/refs/title.png
command 1
pass 3
shot $work/refs/ready.png
enter
pass 3
enter
until Ready
pass 3
shot $work/refs/computer.png
EOF
full=$((view_w * view_h))
[ "$(differing "$work/refs/title.png" "$work/refs/ready.png")" -gt $((full / 4)) ] ||
  fail "the title and the game frames of the replay driver look alike"

TUMBRA_REPORT_MENU=1 "$program" 2>"$work/stderr.log" &
pid=$!

find_window() {
  window=$(xdotool search --all --onlyvisible --pid "$pid" --name "^$title\$" 2>/dev/null | head -n 1)
  [ -n "$window" ]
}
if ! poll find_window; then
  names=$(for w in $(xdotool search --pid "$pid" 2>/dev/null); do xdotool getwindowname "$w"; done)
  fail "no window titled '$title'; the program's windows: ${names:-none}"
fi
echo "window $window: '$(xdotool getwindowname "$window")'"

grep -qx 'menu bar: Game|Options|Help|About' "$work/stderr.log" ||
  fail "the menu bar should hold the popups Game, Options, Help and About"

# The picture fills the window below the menu bar; the window has no frame on a server
# without a window manager.
eval "$(xdotool getwindowgeometry --shell "$window")"
{ [ "$WIDTH" -eq "$view_w" ] && [ "$HEIGHT" -gt "$view_h" ]; } ||
  fail "window is ${WIDTH}x$HEIGHT, expected $view_w wide with a menu bar over $view_h"
view_x=$X view_y=$((Y + HEIGHT - view_h))
xdotool windowfocus "$window"

poll screen_matches "$work/refs/title.png" 5 || fail "the title screen is not shown"
echo "title screen shown"

# The Single Player picture on the title screen.
xdotool mousemove --sync $((view_x + 580)) $((view_y + 130)) click 1
# The arrow starts at one of five places, so its few pixels may differ from the reference.
poll screen_matches "$work/refs/ready.png" 10 || fail "the game screen did not replace the title"
echo "game screen shown, waiting for Enter"

meter=60x150+55+103
shot "$work/a.png"
sleep 0.5
shot "$work/b.png"
[ "$(differing "$work/a.png" "$work/b.png" "$meter")" -eq 0 ] ||
  fail "the power meter moves before Enter"
xdotool key Return
poll screen_changes "$meter" || fail "the power meter does not move after Enter"
echo "power meter running"

sleep 0.5
xdotool key Return
banner=200x80+280+280
poll screen_matches "$work/refs/computer.png" 20 "$banner" ||
  fail "the throw did not hand the turn to the computer"
echo "ball thrown, computer's turn"

"$close_window" "$window" || fail "could not ask the window to close"
ended() { ! kill -0 "$pid" 2>/dev/null; }
poll ended || fail "the program is still running after its window was closed"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the program exited with $status after its window was closed"
echo "window closed, exit code 0"
