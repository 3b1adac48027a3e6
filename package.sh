#!/usr/bin/env bash
# Installs what is missing, builds what the package holds (Release) and makes Tumbra's
# Debian package, build/release/tumbra_VERSION_ARCH.deb. Install it with:
# sudo apt-get install ./FILE.deb
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh package server
scripts/configure.sh build/release -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j"$(nproc)" --target tumbra_installed
cd build/release
cpack -G DEB
