#!/usr/bin/env bash
# The real program in a real window: its first size and full screen with a click on
# Single Player on a 3840 x 2160 screen, and back; then on a small one, menus that pause the game
# and hold no arrow, the keyboard's way into the menus, and
# the window's size kept for the next start. Checked from
# screenshots against the frames the replay driver draws for the same moments.
#
# usage: window_test.sh PROGRAM REPLAY DATA_FOLDER CLOSE_WINDOW
# Runs on an X server of its own, under xvfb-run, whose screen 0 is 1024x768 and screen 1
# 3840x2160 (and -noreset, for the program is started more than once).
set -euo pipefail

program=$1 replay=$2 data=$3 close_window=$4
title='Tumbra by Qervo Software'
timeout=60  # seconds for anything to show up: generous, a slow machine only waits longer

work=$(mktemp -d)
pid=""
trap 'if [ -n "$pid" ]; then kill -KILL "$pid" 2>/dev/null || true; fi; rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  sed 's/^/  program: /' "$work/stderr.log" >&2 || true
  exit 1
}

# Runs the command until it succeeds; false after $timeout seconds.
poll() {
  local end=$((SECONDS + timeout))
  until "$@"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.2; done
}

# Number of pixels that differ between two pictures by more than the fuzz given ($3).
differing() {
  local count
  count=$(compare -metric AE -fuzz "${3:-0}%" "$1" "$2" null: 2>&1) || [ $? -eq 1 ] || fail "compare: $count"
  echo "${count%% *}"
}

# A screenshot of the screen's WxH+X+Y, scaled to $3 (WxH) when given.
shot() {
  import -window root -crop "$2" +repage ${3:+-resize "$3!"} "$1"
}

# True when the picture shows the reference frame, but for at most $2 per mille of its
# pixels (off by more than $3 % when given).
screen_matches() {
  shot "$work/now.png" "$picture" 760x560
  [ "$(differing "$work/now.png" "$1" "${3:-0}")" -le $((760 * 560 * $2 / 1000)) ]
}

# True when the frame's region WxH+X+Y (frame pixels, at scale 1) is the same in two
# screenshots $2 seconds apart (0.1 when not given).
still() {
  local size=${1%%+*} x y
  IFS=+ read -r _ x y <<<"$1"
  shot "$work/a.png" "$size+$((view_x + x))+$((view_y + y))"
  sleep "${2:-0.1}"
  shot "$work/b.png" "$size+$((view_x + x))+$((view_y + y))"
  [ "$(differing "$work/a.png" "$work/b.png")" -eq 0 ]
}
moving() { ! still "$@"; }

start() {
  "$program" 2>"$work/stderr.log" &
  pid=$!
  find_window() { window=$(xdotool search --all --onlyvisible --pid "$pid" --name "^$title\$" 2>/dev/null | head -n 1); [ -n "$window" ]; }
  poll find_window || fail "no window titled '$title'"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool windowfocus "$window"
}

close() {
  "$close_window" "$window" || fail "could not ask the window to close"
  ended() { ! kill -0 "$pid" 2>/dev/null; }
  poll ended || fail "the program is still running after its window was closed"
  wait "$pid" || fail "the program exited with $? after its window was closed"
  pid=""
}

# The popup of the menu bar's first letter $1 is open: the menu's place under the bar
# differs from $2.
menu_open() {
  shot "$work/menu.png" "$menu_region"
  [ "$(differing "$work/menu.png" "$1")" -gt 100 ]
}

mkdir "$work/run" "$work/refs" "$work/runtime"
chmod 700 "$work/runtime"
cp -R "$data"/. "$work/run"
cd "$work/run"
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime

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

small_screen=$DISPLAY
export DISPLAY=${DISPLAY%.*}.1 XDG_CONFIG_HOME=$work/config_4k
start
# The largest whole-number scale that fits in four fifths of 3840 x 2160 is 3.
bar=$((HEIGHT - 3 * 560))
[ "$WIDTH" -eq $((3 * 760)) ] && [ "$bar" -ge 0 ] && [ "$bar" -lt 60 ] ||
  fail "the first window is ${WIDTH}x$HEIGHT, not three times 760 x 560 under a menu bar"

placed="$X $Y $WIDTH $HEIGHT"
xdotool key F11
full_screen() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  [ "$WIDTH" -eq 3840 ] && [ "$HEIGHT" -eq 2160 ]
}
poll full_screen || fail "F11 did not fill the screen"
# The picture fills the height under the menu bar, its shape kept, centred on black.
h=$((2160 - bar)) w=$(((2160 - bar) * 760 / 560))
picture=${w}x$h+$(((3840 - w) / 2))+$bar
poll screen_matches "$work/refs/title.png" 20 12 || fail "the full screen does not show the title"
shot "$work/left.png" "$(((3840 - w) / 2 - 1))x$h+0+$bar"
[ "$(convert "$work/left.png" -format '%[fx:maxima.r+maxima.g+maxima.b]' info:)" = 0 ] ||
  fail "the margin beside the picture is not black"
xdotool mousemove --screen 1 --sync $(((3840 - w) / 2 + 580 * w / 760)) $((bar + 130 * h / 560)) click 1
poll screen_matches "$work/refs/ready.png" 30 12 || fail "a click on Single Player did not start a game"
xdotool key F11
back() { eval "$(xdotool getwindowgeometry --shell "$window")" && [ "$X $Y $WIDTH $HEIGHT" = "$placed" ]; }
poll back || fail "F11 again put the window at $X $Y $WIDTH $HEIGHT, not back at $placed"
echo "full screen 3840x2160: title scaled, Single Player clicked, and back"

close

export DISPLAY=$small_screen XDG_CONFIG_HOME=$work/config
start
bar=$((HEIGHT - 560))
view_x=$X view_y=$((Y + bar)) meter=60x150+55+103 arrow=425x40+335+80
picture=760x560+$view_x+$view_y menu_region=120x60+$((view_x + 60))+$((view_y + 4))
poll screen_matches "$work/refs/title.png" 5 || fail "the title is not shown at scale 1"
xdotool mousemove --sync $((view_x + 580)) $((view_y + 130)) click 1
poll screen_matches "$work/refs/ready.png" 10 || fail "a click on Single Player started no game"
shot "$work/no_menu.png" "$menu_region"

xdotool key Return
poll moving "$meter" || fail "the power meter does not move after Enter"
xdotool key alt+g
poll menu_open "$work/no_menu.png" || fail "Alt+G opened no menu"
still "$meter" 1 || fail "the meter moved while a menu was open"
xdotool key Escape Escape
poll moving "$meter" || fail "the meter did not go on after the menu closed"

xdotool keydown Right key alt+g keyup Right
poll menu_open "$work/no_menu.png" || fail "Alt+G opened no menu"
xdotool key Escape Escape
sleep 0.2
still "$arrow" 0.5 || fail "the arrow runs on after it was let go in a menu"

xdotool key Return
poll screen_matches "$work/refs/computer.png" 20 || fail "the throw did not hand over to the computer"

xdotool windowsize "$window" 800 600
sleep 0.5
close

start
[ "$WIDTH" -eq 800 ] && [ "$HEIGHT" -eq 600 ] ||
  fail "the window came back at ${WIDTH}x$HEIGHT, not at the 800x600 it was left at"
close
echo "size remembered; closed with exit code 0"
