#!/usr/bin/env bash
# Installs what is missing, builds Tumbra (Release) and starts it in its run folder.
# On a tree that is already built the game comes up at once: the package check is one
# query, and the build looks only at what the game itself is made of.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh game
# Configured once, without the tests: after that the build itself notices a changed
# CMakeLists.txt, and a folder that ./test.sh configured keeps its tests, which this
# build leaves alone.
[ -f build/release/CMakeCache.txt ] ||
  scripts/configure.sh build/release -DCMAKE_BUILD_TYPE=Release -DTUMBRA_TESTS=OFF
cmake --build build/release -j"$(nproc)" --target tumbra tumbra_data
cd build/release/run
exec ./tumbra
