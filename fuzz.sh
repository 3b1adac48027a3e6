#!/usr/bin/env bash
# Builds the fuzz targets with clang in build/fuzz and runs each for SECONDS (default 60)
# on a corpus seeded from the game's generated files, the hand-made configs and the
# hand-made sessions of the server's lobby.
# Usage: ./fuzz.sh [SECONDS]
# New inputs collect in build/fuzz/corpus/TARGET; an input that breaks a target is kept
# in build/fuzz/findings and its report in build/fuzz/logs/TARGET.log.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
seconds=${1:-60}
targets=(picture wav config server)
scripts/install-deps.sh test server

CC=clang CXX=clang++ scripts/configure.sh build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUMBRA_FUZZ=ON \
  -DTUMBRA_TESTS=OFF
cmake --build build/fuzz -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

# Seeds come from a run folder that some build has already filled; failing that, the
# fuzz build makes the data itself.
run=build/release/run
if [ ! -f "$run/config.ini" ]; then
  cmake --build build/fuzz -j"$(nproc)" --target tumbra_data
  run=build/fuzz/run
fi
declare -A seeds=([picture]="$root/$run/bmps" [wav]="$root/$run/wavs" [config]="$root/fuzz/corpus/config"
               [server]="$root/fuzz/corpus/server")

# The targets rewrite their file for every input: keep that in memory when we can.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export SDL_AUDIODRIVER=dummy
# The targets work in a folder of their own, so every path they are given is absolute.
out=$root/build/fuzz
mkdir -p "$out/logs" "$out/findings"
status=0
for t in "${targets[@]}"; do
  mkdir -p "$out/corpus/$t"
  log="$out/logs/$t.log"
  # 64 KiB holds every game picture but the two full-screen ones, which are cut short.
  if "$out/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
       -print_final_stats=1 -artifact_prefix="$out/findings/$t-" \
       "$out/corpus/$t" "${seeds[$t]}" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$t: ${seconds}s, $runs executions, no finding"
  else
    echo "fuzz_$t: FINDING, see $log"
    grep -E 'FINDING|ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -20 || true
    status=1
  fi
done
exit $status
