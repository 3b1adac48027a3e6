#!/usr/bin/env bash
# Installs the Debian 12 packages that Tumbra's commands need, only those that are
# missing. Uses sudo when not run as root.
# Usage: scripts/install-deps.sh [GROUP...]   the game's own group always comes with them
#   game     building and playing the game (./play.sh)
#   server   building tumbra-server (./test.sh and ./package.sh build it too)
#   test     the test suite's tools, the fuzzers' compiler and runtime (./test.sh, ./fuzz.sh)
#   bench    the benchmarks and the desktop probe's X server (./bench.sh)
#   package  making the Debian package (./package.sh)
set -euo pipefail

# A package is added to a group by adding its name to the group's line.
declare -A groups=(
  [game]="build-essential cmake ninja-build pkg-config qt6-base-dev libsdl2-dev libsdl2-mixer-dev
          libmp3lame-dev libboost1.81-dev libssl-dev nlohmann-json3-dev fonts-dejavu-core"
  [server]="libsqlite3-dev libsodium-dev"
  [test]="libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils imagemagick
          desktop-file-utils appstream clang libclang-rt-14-dev"
  [bench]="libbenchmark-dev xvfb xauth xdotool imagemagick"
  [package]="file"
)

packages=()
for group in game "$@"; do
  [ -n "${groups[$group]+set}" ] || { echo "install-deps.sh: no group '$group'" >&2; exit 2; }
  packages+=(${groups[$group]})  # the words of its line
done

# One query for them all: ./play.sh runs this before every game.
declare -A installed
while read -r status name; do
  [[ $status == ?i* ]] && installed[$name]=1  # installed, whatever was asked of it
done < <(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${packages[@]}" 2>/dev/null || true)
declare -A missing=()
for p in "${packages[@]}"; do
  [ -n "${installed[$p]:-}" ] || missing[$p]=1
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${!missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${!missing[@]}"
