#!/usr/bin/env bash
# Installs what is missing, builds Tumbra (Release) and makes its Debian package,
# build/release/tumbra_VERSION_ARCH.deb. Install it with: sudo apt-get install ./FILE.deb
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$(nproc)"
cd build/release
cpack -G DEB
