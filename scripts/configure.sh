#!/usr/bin/env bash
# Configures a build folder with CMake. A new folder is made for Ninja, whose up-to-date
# check is quick, whichever command makes it first; a folder made earlier keeps the
# generator it was made with.
# Usage: scripts/configure.sh FOLDER [CMAKE OPTION...]
set -euo pipefail
dir=$1
shift
generator=()
[ -f "$dir/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S "$(dirname "$0")/.." -B "$dir" "${generator[@]}" "$@" >/dev/null
