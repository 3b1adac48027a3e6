#!/usr/bin/env bash
# Installs what is missing, builds Tumbra (Release) and starts it in its run folder.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$(nproc)"
cd build/release/run
exec ./tumbra
