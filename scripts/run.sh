#!/usr/bin/env bash
# Sets everything up, builds the program, writes the demonstration movie and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build orvanta
out="${ORVANTA_OUT:-$PWD/out}"
mkdir -p "$out"
build/src/orvanta demo "$out/demo.swf"
# Last, the editor: it prints its address and runs until Ctrl-C.
exec build/src/orvanta serve
