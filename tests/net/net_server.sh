# What the Internet game's tests share: a tumbra-server of their own on 127.0.0.1 at a
# port the system picks, with passwords hashed at the least cost, and players' run
# folders whose config.ini logs on to it. Sourced; $server and $data must be set.
work=$(mktemp -d)
pids=()
trap 'kill -KILL "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
timeout=30  # seconds for anything to show up: a slow machine only waits longer

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs the command until it succeeds; false after $timeout seconds.
poll() {
  local end=$((SECONDS + timeout))
  until "$@"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.1; done
}

# start_server OPTION...: sets $port and $fingerprint as the server prints them.
start_server() {
  "$server" --listen 127.0.0.1 --port 0 --state "$work/state" --hash-cost min "$@" >"$work/server.log" 2>&1 &
  pids+=($!)
  poll grep -qs 'listening on' "$work/server.log" || fail "no server: $(cat "$work/server.log")"
  port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/server.log")
  fingerprint=$(sed -n 's/.*(SHA-256) //p' "$work/server.log")
}

# player NAME: his run folder, $work/NAME, logging on as NAME with the password "secret".
player() {
  mkdir -p "$work/$1/music"
  ln -s "$data/bmps" "$work/$1/bmps"
  ln -s "$data/wavs" "$work/$1/wavs"
  printf 'username=%s\npassword=secret\nmusic=\nserver=127.0.0.1:%s\n' "$1" "$port" >"$work/$1/config.ini"
}
