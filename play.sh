#!/usr/bin/env bash
# Installs what is missing, builds Tumbra (Release) and starts it in its run folder.
# On a tree that is already built the game comes up at once: the package check is one
# query, and the build looks only at what the game itself is made of.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
# Configured once; after that the build itself notices a changed CMakeLists.txt. A
# folder made by another script keeps the generator it was made with.
if [ ! -f build/release/CMakeCache.txt ]; then
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build build/release -j"$(nproc)" --target tumbra tumbra_data
cd build/release/run
exec ./tumbra
