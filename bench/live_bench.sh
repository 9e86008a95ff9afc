#!/usr/bin/env bash
# The Live Data window against the emulated recorder streaming at 9600 baud while it is shaken:
# the processor time of the desktop program with the window open, and the time of one tick.
#
# usage: bench/live_bench.sh [BUILD_DIR] [SECONDS]    (default: build, 10)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
seconds=${2:-10}
sim=$build/tools/tavix_sim/tavix-sim
live=$build/bench/orvale_desktop_live
for tool in "$sim" "$live"; do
  [ -x "$tool" ] || { echo "build first: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Upright, then a shake every second.
for t in $(seq 1 60); do
  printf 'at %d gee 3\nat %d.3 gee -1\nat %d.6 gee 1 pressure %d\n' "$t" "$t" "$t" $((205 - t % 5))
done >"$work/shake.txt"
"$sim" serve --image samples/FLT-001.DAT --link "$work/tty" --baud 9600 \
  --sensor-script "$work/shake.txt" --log "$work/sim.log" >/dev/null 2>"$work/sim.err" &
sim_pid=$!
for _ in $(seq 50); do [ -e "$work/tty" ] && break; sleep 0.1; done

QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$live" "$work/tty" "$seconds"
echo "sensor blocks sent: $(grep -c '/T sensor block' "$work/sim.log")"
