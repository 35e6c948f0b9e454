#!/usr/bin/env bash
# Sets everything up, builds the program and runs the main job: writes the demonstration movie.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build orvanta
out="${ORVANTA_OUT:-$PWD/out}"
mkdir -p "$out"
build/src/orvanta demo "$out/demo.swf"
