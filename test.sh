#!/usr/bin/env bash
# Installs what is missing, builds Tumbra and runs the whole test suite: the release
# build's tests (a soak of whole games among them), the same suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the music player's and the server's
# tests under ThreadSanitizer, and a short run of every fuzz target. Any sanitizer report
# fails it.
# Usage: ./test.sh [quick]   quick: the release build's suite alone, with a shorter soak,
# for the edit-and-test loop.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test server
jobs=$(nproc)
# build/release is shared with ./play.sh, which makes it without the tests.
configure() { scripts/configure.sh "$@" -DTUMBRA_TESTS=ON -DTUMBRA_WERROR=ON; }

configure build/release -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j"$jobs"
if [ "${1:-}" = quick ]; then
  TUMBRA_SOAK_GAMES=20 ctest --test-dir build/release --output-on-failure -j"$jobs"
  exit 0
fi
ctest --test-dir build/release --output-on-failure -j"$jobs"

sanitizers=$PWD/tests/sanitizers
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1
export LSAN_OPTIONS=suppressions=$sanitizers/lsan.supp
configure build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUMBRA_SANITIZE=address,undefined
cmake --build build/asan -j"$jobs"
ctest --test-dir build/asan --output-on-failure -j"$jobs"

# The music player is the one part of the game with a second thread; the server hashes
# passwords and writes its database on threads of its own.
export TSAN_OPTIONS="halt_on_error=1 suppressions=$sanitizers/tsan.supp"
configure build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUMBRA_SANITIZE=thread -DTUMBRA_WERROR=ON
cmake --build build/tsan -j"$jobs" --target tumbra_tests tumbra_server_tests
ctest --test-dir build/tsan --output-on-failure -j"$jobs" -R 'MusicPlayer|ServerOverTls'

./fuzz.sh 20
