#!/usr/bin/env bash
# Installs what is missing, builds Tumbra (Release) and measures it: the cost of each
# kind of frame and of loading the pictures (Google Benchmark, headless), then the real
# desktop program under Xvfb: time to its first frame, CPU use of it and the X server on
# the title screen, in Ready and with the meter running, at three scales, and peak
# memory; then tumbra-server under the load tool: 10,000 players connected, 1,000 throws a
# second among their games, and log-ons at the default hash cost. Every figure is printed
# next to its target; the exit status is 1 when one is missed.
# Usage: ./bench.sh [SECONDS per desktop phase, default 10]
set -euo pipefail
cd "$(dirname "$0")"
seconds=${1:-10}
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

scripts/install-deps.sh bench server
echo "Building (Release, build/release) ..."
if ! { scripts/configure.sh build/release -DCMAKE_BUILD_TYPE=Release &&
  cmake --build build/release -j"$(nproc)" --target tumbra_bench tumbra tumbra_data tumbra-load; } \
  >"$results/build.log" 2>&1; then
  cat "$results/build.log" >&2
  exit 1
fi

echo "Benchmarks (median of 5 runs each) ..."
build/release/bench/tumbra_bench --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv \
  >"$results/bench.csv" 2>"$results/bench.err" || {
  cat "$results/bench.err" >&2
  exit 1
}

echo "Desktop program under Xvfb, ${seconds} s each on the title screen, in Ready and with the meter running ..."
touch "$results/desktop.txt"
# At scale 1 on a small screen, with the desktop scaled by 2 on a screen that holds the
# window at that scale, and full screen at 3840 x 2160.
for probe in "scale1 1024x768" "scale2 2560x1600" "full 3840x2160"; do
  set -- $probe
  xvfb-run -a -s "-screen 0 ${2}x24" \
    bench/desktop_probe.sh "$PWD/build/release/run" "$results/desktop.txt" "$1" "$seconds" ||
    echo "The desktop program could not be measured ($1); its figures are missing below." >&2
done

echo "The server under load: 10,000 players, 1,000 throws a second for 30 s, then log-ons at the default hash cost ..."
build/release/bench/load/tumbra-load --seconds 30 >"$results/load.txt" 2>"$results/load.err" || {
  cat "$results/load.err" >&2
  echo "The load tool met faults; the server's figures below are what it had." >&2
}

# The median CPU time of one benchmark case, in milliseconds. CPU time rather than wall
# time: on a shared machine the wall clock also counts the time others had the core.
median_ms() {
  awk -F, -v name="\"$1_median\"" '
    $1 == name {
      scale = ($5 == "ns") ? 1e-6 : ($5 == "us") ? 1e-3 : ($5 == "ms") ? 1 : 1000
      printf "%.4f", $4 * scale
      found = 1
    }
    END { if (!found) exit 1 }' "$results/bench.csv"
}
desktop() { sed -n "s/^$1=//p" "$results/desktop.txt"; }
load() { sed -n "s/^$1=//p" "$results/load.txt"; }

missed=0
printf '\nOn %s, %s cores\n' "$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)" "$(nproc)"
printf '%-36s %12s %12s  %s\n' "Figure" "Measured" "Target" ""
# check LABEL VALUE OP LIMIT UNIT: met when VALUE OP LIMIT holds, OP one of <, <= and >=.
check() {
  local verdict
  if [ -z "$2" ]; then
    verdict="NOT MEASURED"
    missed=1
  elif awk -v v="$2" -v op="$3" -v l="$4" \
    'BEGIN { exit !(op == "<" ? v < l : op == "<=" ? v <= l : v >= l) }'; then
    verdict="met"
  else
    verdict="MISSED"
    missed=1
  fi
  printf '%-36s %9s %-3s %9s %-3s  %s\n' "$1" "$2" "$5" "$3 $4" "$5" "$verdict"
}
# row LABEL VALUE LIMIT UNIT: met when VALUE < LIMIT.
row() { check "$1" "$2" "<" "$3" "$4"; }
# info LABEL VALUE UNIT: a figure without a target of its own.
info() { printf '%-36s %9s %-3s\n' "$1" "$2" "$3"; }

for bits in 32 16; do
  limit=0.3
  [ "$bits" = 16 ] && limit=0.5
  for case in TitleScreenFrame ReadyFrame AimingFrame FlightFrame SplashFrame RerackRedraw; do
    row "$case, $bits bits" "$(median_ms "$case/bits:$bits")" "$limit" ms
  done
  printf '%-36s %9s %-2s %12s\n' "ClearAndPresent, $bits bits" \
    "$(median_ms "ClearAndPresent/bits:$bits")" ms "(floor)"
done
for bits in 32 16; do
  row "LoadAllPictures, $bits bits" "$(median_ms "LoadAllPictures/bits:$bits")" 20 ms
done
row "3000 broken songs given up" "$(median_ms "GiveUpOnBrokenSongs/files:3000/process_time/real_time")" 1000 ms
row "First frame after start (median)" "$(desktop first_frame_ms_scale1)" 300 ms
printf '%-36s %s\n' "  the five starts, ms" "$(desktop first_frame_starts_scale1)"
# CPU use of the program and the X server together.
for mode in scale1 scale2 full; do
  row "CPU on the title screen, $mode" "$(desktop title_cpu_$mode)" 1 %
  row "CPU waiting in Ready, $mode" "$(desktop ready_cpu_$mode)" 1 %
done
row "CPU with the meter running, full" "$(desktop meter_cpu_full)" 15 %
printf '%-36s %9s %-2s %12s\n' "CPU with the meter running, scale1" "$(desktop meter_cpu_scale1)" % ""
row "Peak memory (VmHWM), scale1" "$(desktop peak_mb_scale1)" 80 MB

# The server: one process on this machine's two cores, the load tool beside it.
check "Connections held by one server" "$(load connections)" ">=" 10000 ""
check "Games in play" "$(load games)" ">=" 5000 ""
check "Server memory per connection (PSS)" "$(load memory_per_connection_kib)" "<=" 64 KiB
info "  server PSS, idle / loaded" "$(load server_idle_pss_kib) / $(load server_pss_kib)" KiB
# The pace is the condition of the two figures after it: a server that relays fewer
# throws than are thrown has fallen behind.
check "Throws relayed a second" "$(load throws_per_second)" ">=" 990 /s
check "Throw to the opponent, p99" "$(load latency_p99_ms)" "<=" 20 ms
info "  p50 / max" "$(load latency_p50_ms) / $(load latency_max_ms)" ms
check "Server CPU at 1,000 throws a second" "$(load server_cpu_percent)" "<=" 30 %
info "  the load tool's own CPU" "$(load tool_cpu_percent)" %
check "Log-ons a second, default hash cost" "$(load logons_per_second)" ">=" 10 /s
check "Faults the players met" "$(load faults)" "<=" 0 ""
info "  load average before / after" "$(load load_average_before) / $(load load_average_after)" ""

echo
if [ "$missed" = 0 ]; then echo "All targets met."; else echo "Some targets were missed."; fi
exit "$missed"
