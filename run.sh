#!/usr/bin/env bash
# Installs what is missing, builds Orvale and starts it on the sample flights.
set -euo pipefail
cd "$(dirname "$0")"
source tools/ensure_packages.sh
ensure_packages

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVALE_GUI=ON -DORVALE_BENCH=ON >/dev/null
cmake --build build

if [ -x build/src/orvale ]; then
  exec build/src/orvale "$@"
fi
# A build without the desktop program: show what it would tell about the sample flights.
build/src/orvale-cli summary samples/*.DAT
