#!/bin/sh
# The logbook of a thousand simulated flights: made once with tavix-sim make-flight (varied
# motors, modes and noise), then listed in-process by the benchmark and as a process by
# orvale-cli. Usage: bench/logbook_bench.sh [BUILD_DIR] [FLIGHTS]
set -eu
build=${1:-build}
count=${2:-1000}
dir=${TMPDIR:-/tmp}/orvale-logbook-$count
sim=$build/tools/tavix_sim/tavix-sim
if [ "$(ls "$dir" 2>/dev/null | wc -l)" -ne "$count" ]; then
  rm -rf "$dir" && mkdir -p "$dir"
  i=1
  while [ "$i" -le "$count" ]; do
    case $((i % 3)) in 0) motor=SMALL ;; 1) motor=MEDIUM ;; *) motor=LARGE ;; esac
    case $((i % 2)) in 0) mode=main ;; *) mode=drogue ;; esac
    "$sim" make-flight --seed "$i" --motor "$motor" --mode "$mode" \
      --out "$dir/F$(printf %04d "$i").DAT" >/dev/null
    i=$((i + 1))
  done
fi
ORVALE_LOGBOOK_DIR=$dir "$build/bench/orvale_bench" --benchmark_filter=Logbook \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
for run in 1 2 3; do
  /usr/bin/time -f "orvale-cli logbook --csv of $count flights: %e s wall, %M KB peak" \
    "$build/src/orvale-cli" logbook "$dir" --csv >/dev/null
done
