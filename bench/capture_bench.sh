#!/usr/bin/env bash
# A full capture at 9600 baud from the emulated recorder: the wall time against the time the
# 8196 bytes take on the wire (10 bits a byte), and the processor time orvale-cli used, nearly
# all of it spent waiting for bytes.
#
# Then the same through the desktop program's link (QSerialPort and its event-loop wait), when
# it is built.
#
# usage: bench/capture_bench.sh [BUILD_DIR]    (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
sim=$build/tools/tavix_sim/tavix-sim
cli=$build/src/orvale-cli
for tool in "$sim" "$cli"; do
  [ -x "$tool" ] || { echo "build first: $tool is missing" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }

work=$(mktemp -d)
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A sample flight with a signature in its unused first bytes and the checksum made to match:
# the program skips leading bytes below 25, which the samples start with.
image=$work/served.dat
cp samples/FLT-001.DAT "$image"
printf 'TVX1' | dd of="$image" bs=1 seek=0 conv=notrunc status=none
sum=$(od -An -v -tu1 -N8192 "$image" | awk '{ for (i = 1; i <= NF; i++) s += $i } END { print s % 65536 }')
printf "$(printf '\\%03o\\%03o' $((sum & 255)) $((sum >> 8)))" |
  dd of="$image" bs=1 seek=8192 conv=notrunc status=none

"$sim" serve --image "$image" --link "$work/tty" --baud 9600 --log "$work/sim.log" \
  >/dev/null 2>"$work/sim.err" &
sim_pid=$!
for _ in $(seq 50); do [ -e "$work/tty" ] && break; sleep 0.1; done

mkdir "$work/out"
/usr/bin/time -f '%e %U %S' -o "$work/time" \
  "$cli" capture --port "$work/tty" --dir "$work/out" BENCH >/dev/null 2>"$work/cli.err" || {
  cat "$work/cli.err" >&2
  exit 1
}
cmp -s "$image" "$work/out/BENCH.DAT" || { echo "captured file differs" >&2; exit 1; }

read -r wall user sys <"$work/time"
awk -v wall="$wall" -v user="$user" -v sys="$sys" 'BEGIN {
  wire = 8196 * 10 / 9600
  cpu = user + sys
  printf "capture at 9600 baud: wall %.2f s, wire %.2f s, over by %.2f s\n", wall, wire, wall - wire
  printf "orvale-cli processor time: user %.2f s + system %.2f s = %.2f s (%.2f%% of wall)\n",
         user, sys, cpu, 100 * cpu / wall
}'

desktop=$build/bench/orvale_desktop_capture
if [ -x "$desktop" ]; then
  mkdir "$work/desk"
  "$desktop" "$work/tty" "$work/desk" BENCH 2>"$work/desk.err" || {
    cat "$work/desk.err" >&2
    exit 1
  }
  cmp -s "$image" "$work/desk/BENCH.DAT" || { echo "desktop capture differs" >&2; exit 1; }
fi
