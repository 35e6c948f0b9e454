#!/usr/bin/env bash
# Sets everything up, builds the program, writes the demonstration movie, publishes one sample
# banner as a site to open in a browser and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build orvanta
out="${ORVANTA_OUT:-$PWD/out}"
mkdir -p "$out"
build/src/orvanta demo "$out/demo.swf"
# "Garden Days", a 300 x 250 banner on a night-sky panel.
sample=banner_panel85_300x250
build/src/orvanta publish "default_template/$sample.fls" --to "$out/sample" >/dev/null
echo "published the sample banner $sample into $out/sample"
echo "to watch it, serve the folder over HTTP (the player does not load from file://):"
echo "  python3 -m http.server --bind 127.0.0.1 --directory $out/sample 8000"
echo "and open http://127.0.0.1:8000/index.html"
# Last, the editor: it prints its address and runs until Ctrl-C.
exec build/src/orvanta serve
