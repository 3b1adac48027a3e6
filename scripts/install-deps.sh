#!/usr/bin/env bash
# Installs the Debian 12 packages that building, playing and testing Tumbra need,
# only those that are missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libsdl2-dev libsdl2-mixer-dev libmp3lame-dev
  libboost1.81-dev libssl-dev nlohmann-json3-dev libsqlite3-dev libsodium-dev
  libgtest-dev libbenchmark-dev
  fonts-dejavu-core
  xvfb xauth xdotool x11-utils imagemagick desktop-file-utils
  clang libclang-rt-14-dev
)

# One query for them all: ./play.sh runs this before every game.
declare -A installed
while read -r status name; do
  [[ $status == ?i* ]] && installed[$name]=1  # installed, whatever was asked of it
done < <(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
  [ -n "${installed[$p]:-}" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
