#!/usr/bin/env bash
# The real program plays an Internet game against a scripted friend on a server of its
# own: the title's Internet button, the Internet Game dialog, the certificate's question,
# one throw each (Enter pressed all along, which does nothing in the friend's turn), and
# a quit signal that leaves the game, which the friend hears.
#
# usage: internet_test.sh PROGRAM SERVER REPLAY DATA_FOLDER
# Runs on an X server of its own: start it under xvfb-run.
set -euo pipefail
program=$1 server=$2 replay=$3 data=$4
source "$(dirname "$0")/../net/net_server.sh"
export SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config
start_server
player Ann
player Bob
mkfifo "$work/Bob/in"
(cd "$work/Bob" && QT_QPA_PLATFORM=offscreen exec "$replay" <in >out 2>err) &
pids+=($!)
exec {bob}>"$work/Bob/in"
(cd "$work/Ann" && QT_QPA_PLATFORM=xcb exec "$program" 2>err) &
ann=$!
pids+=($ann)

window() { timeout "$timeout" xdotool search --all --sync --onlyvisible --pid "$ann" --name "^$1\$" | head -n 1; }
states() { [ "$(grep -c '^state' "$work/Bob/out")" -ge "$1" ]; }
main=$(window 'Tumbra by Qervo Software') || fail "no window"
sleep 3
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --sync $((X + 600)) $((Y + HEIGHT - 560 + 330)) click 1
dialog=$(window 'Internet Game') || fail "no Internet Game dialog"
# Keys sent before a new window takes them are lost: each goes again until it shows.
press() { xdotool windowfocus "$1" key --window "$1" "$2" 2>/dev/null || true; sleep 0.3; "${@:3}"; }
asked() { xdotool search --all --onlyvisible --pid "$ann" --name '^Tumbra$' >/dev/null; }
poll press "$dialog" Return asked || fail "no question about the certificate"
question=$(window Tumbra)
poll press "$question" y eval '! asked' || fail "the question stays"
printf 'trust %s\ncommand 40008\nanswer ok opponent=\ncommand 40003\npass 2\nstate\n' "$fingerprint" >&$bob
poll states 1 || fail "Bob was not paired: $(cat "$work/Bob/out" "$work/Bob/err")"
if grep -q '"local":"red"' "$work/Bob/out"; then order='throw 200 60\nnet 60\nuntil TurnStart\nuntil Flight\n'; else order='net 60\nthrow 200 60\n'; fi
printf "${order}state\nnet 60\n" >&$bob
poll press "$main" Return states 2 || fail "Bob did not get Ann's throw: $(cat "$work/Bob/out" "$work/Bob/err")"
last=$(grep '^state' "$work/Bob/out" | tail -n 1)
[[ $last == *'"stage":"playing"'*'"throws":2'* ]] || fail "not one throw each: $last"
kill -TERM "$ann"
wait "$ann" || fail "the program exited with $?"
exec {bob}>&-
wait "${pids[1]}" || fail "Bob's script failed: $(cat "$work/Bob/err")"
grep -qx 'message "Tumbra" "Your opponent left the game."' "$work/Bob/out" || fail "Bob did not hear that Ann left"
