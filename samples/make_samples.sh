#!/bin/sh
# Regenerates the sample flights. Run from the repository root:
#   samples/make_samples.sh [BUILD_DIR [OUT_DIR]]
# BUILD_DIR holds the built tavix-sim (default build), OUT_DIR receives the files (default samples).
set -eu

build=${1:-build}
out=${2:-samples}
sim="$build/tools/tavix_sim/tavix-sim"
mkdir -p "$out"

"$sim" make-flight --motor SMALL --main-altitude 600 --seed 101 --out "$out/FLT-001.DAT"
"$sim" make-flight --mode main --motor MEDIUM --seed 202 --out "$out/FLT-002.DAT"
"$sim" make-flight --no-drogue-fire --thrust 30 --burn 1.8 --main-altitude 1200 --seed 303 --out "$out/FLT-003.DAT"
"$sim" make-flight --stages 2 --motor SMALL --main-altitude 1200 --seed 404 --out "$out/FLT-004.DAT"
"$sim" make-flight --motor LARGE --main-altitude 2400 --seed 505 --out "$out/FLT-005.DAT"
"$sim" make-flight --site-elevation 5500 --motor MEDIUM --main-altitude 600 --seed 606 --out "$out/FLT-006.DAT"
"$sim" make-flight --mode main --motor LARGE --seed 707 --out "$out/FLT-007.DAT"
"$sim" make-flight --thrust 18 --burn 1.0 --main-altitude 1200 --seed 808 --out "$out/FLT-008.DAT"
