#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then builds the Qt-free core
# and its tests again with the address and undefined-behaviour sanitizers and runs them.
set -euo pipefail
cd "$(dirname "$0")"
source tools/ensure_packages.sh
ensure_packages

jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVALE_GUI=ON -DORVALE_BENCH=ON >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j "$jobs"

sanitize="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=undefined,float-cast-overflow -fno-omit-frame-pointer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVALE_GUI=OFF \
  -DORVALE_BENCH=OFF -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >/dev/null
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
