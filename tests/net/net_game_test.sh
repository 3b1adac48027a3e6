#!/usr/bin/env bash
# An Internet game against a real server, played by tumbra-replay from scripts and checked
# against their "#>" lines. SCENARIO.replay is one player's script (Ann's).
# SCENARIO.red.replay and SCENARIO.blue.replay are two players' (Ann's and Bob's): both
# play the same opening, up to its first `state` line, which says whom the server named to
# throw first, at the red rack; then each plays on with the script of his rack. In the
# scripts ${PORT}, ${FINGERPRINT}, ${RED} and ${BLUE} stand for the server's port and
# fingerprint and the names on the two racks; a line "#! server OPTION..." of the first
# script gives the server's options.
#
# usage: net_game_test.sh SERVER REPLAY REPLAY_CHECK DATA_FOLDER SCENARIO
set -euo pipefail
server=$1 replay=$2 check=$3 data=$4 scenario=$5
source "$(dirname "$0")/net_server.sh"
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen

single=$scenario.replay
[ -f "$single" ] && first=$single || first=$scenario.red.replay
# shellcheck disable=SC2046
start_server $(sed -n 's/^#! server //p' "$first")

fill() {
  sed -e "s/\${PORT}/$port/g" -e "s/\${FINGERPRINT}/$fingerprint/g" -e "s/\${RED}/${red:-}/g" \
    -e "s/\${BLUE}/${blue:-}/g" "$1"
}

# play NAME: NAME's player on what comes into $work/NAME/in.
play() {
  player "$1"
  mkfifo "$work/$1/in"
  (cd "$work/$1" && exec "$replay" <in >out 2>err) &
  pids+=($!)
}

# judge NAME SCRIPT PID: waits for the player and checks what he printed.
judge() {
  local status=0
  wait "$3" || status=$?
  fill "$2" >"$work/$1.script"
  "$check" "$work/$1.script" "$work/$1/out" "$status" || fail "$1: $(cat "$work/$1/err")"
}

if [ -f "$single" ]; then
  play Ann
  fill "$single" >"$work/Ann/in"
  judge Ann "$single" "${pids[-1]}"
  exit 0
fi

opening=$(sed '/^state$/q' "$first")
for name in Ann Bob; do
  play "$name"
  exec {feed}>"$work/$name/in"
  printf '%s\n' "$opening" | fill /dev/stdin >&"$feed"
  eval "feed_$name=$feed pid_$name=${pids[-1]}"
done
red='' blue=''
for name in Ann Bob; do
  poll grep -q '^state ' "$work/$name/out" || fail "$name was not paired: $(cat "$work/$name/out")"
  if [[ $(grep -m 1 '^state ' "$work/$name/out") == *'"local":"red"'* ]]; then red=$name; else blue=$name; fi
done
[ -n "$red" ] && [ -n "$blue" ] || fail "the two players are not on the two racks"
for side in red blue; do
  feed_var=feed_${!side}
  feed=${!feed_var}
  fill "$scenario.$side.replay" | tail -n +$(($(printf '%s\n' "$opening" | wc -l) + 1)) >&"$feed"
  exec {feed}>&-
done
for side in red blue; do
  pid_var=pid_${!side}
  judge "${!side}" "$scenario.$side.replay" "${!pid_var}"
done
