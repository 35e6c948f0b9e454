#!/usr/bin/env bash
# A banner with all five library clip layers (one from each kind of source, one turned, one
# shadowed) and the user's own SWF as an LZMA movie, built by `orvanta build` and played in
# Ruffle: early on only the layer that does not wait shows, later every layer does. Also checks
# the catalogue's counts.
#   clip_banner.sh ORVANTA DATA_ROOT OUT
set -euo pipefail
orvanta="$1"
data="$2"
out="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
rm -rf "$out"
mkdir -p "$out/movie"

# The own SWF: a panel template, LZMA-compressed as a ZWS file.
"$orvanta" data extract SHAPETEMPLATE5 "$out/panel.swf" >/dev/null
node -e '
  const fs = require("fs"), zlib = require("zlib"), { execFileSync } = require("child_process");
  const data = fs.readFileSync(process.argv[1]);
  const body = data.subarray(0, 3).toString() === "CWS" ? zlib.inflateSync(data.subarray(8)) : data.subarray(8);
  const packed = execFileSync("xz", ["--format=lzma", "-1", "-c"], { input: body });
  const length = Buffer.alloc(4);
  length.writeUInt32LE(packed.length - 13);
  fs.writeFileSync(process.argv[2], Buffer.concat([Buffer.from("ZWS"), data.subarray(3, 8), length,
                                                    packed.subarray(0, 5), packed.subarray(13)]));' \
  "$out/panel.swf" "$out/own.swf"

"$orvanta" project new "$out/clips.fls" >/dev/null
# Layer 1 snow (a .swf file), 2 roundflower7 (a template, turned), 3 Halloween3 (a .ddt file,
# shadowed), 4 icon2, 5 banner6 (shows at once).
build() {
  "$orvanta" build "$out/clips.fls" --data-root "$data" --work "$1" --seed 1 \
    --set SWFWidth=800 --set SWFHeight=400 --set SpeedFPS=40 \
    --set PageEffectID1=1 --set PageBackGroundPosX1=0 --set PageBackGroundPosY1=0 \
    --set PageEffectID2=276 --set PageBackGroundPosX2=330 --set PageBackGroundPosY2=20 \
    --set PageBackGroundRotation2=90 \
    --set PageEffectID3=131 --set PageBackGroundPosX3=470 --set PageBackGroundPosY3=20 \
    --set PageBackgroundShadow3=True \
    --set PageEffectID4=583 --set PageBackGroundPosX4=660 --set PageBackGroundPosY4=20 \
    --set PageEffectID5=135 --set PageBackGroundPosX5=0 --set PageBackGroundPosY5=310 \
    --set PageBackGroundScalewidth5=150 \
    --set "PageEffect_filename1=$out/own.swf" --set PageBackGroundPosX0=520 \
    --set PageBackGroundPosY0=230 --set PageBackGroundScalewidth0=40 --json
}
build "$out/work" >"$out/build.json"
if grep -q '"message"' "$out/build.json"; then
  echo "clip banner: the build warned:" && grep '"message"' "$out/build.json" && exit 1
fi
build "$out/again" >/dev/null
cmp -s "$out/work/temp.swf" "$out/again/temp.swf" || { echo "clip banner: one seed gave two movies"; exit 1; }
cp "$out/work/temp.swf" "$out/movie/clips.swf"
cp "$here/clip_banner.json" "$out/movie/expected.json"
node "$here/check.mjs" --screenshot "$out/movie"

"$orvanta" catalogue --data-root "$data" --json >"$out/catalogue.json"
node -e '
  const c = JSON.parse(require("fs").readFileSync(process.argv[1], "utf8"));
  const want = {"Flash Banner": 84, "Flash Slideshow": 17, "Button Styles": 138,
                "Shape Styles": 107, "Library Clips": 799};
  let bad = 0;
  for (const l of c.lists)
    if (l.name in want && l.entries.length !== want[l.name]) { console.log(l.name, l.entries.length); bad++; }
  const clips = c.lists.find((l) => l.name === "Library Clips");
  if (clips.entries.some((e) => !e.thumbnail)) { console.log("a clip without thumbnail"); bad++; }
  console.log(`catalogue: read in ${c.ms.toFixed(1)} ms, ${c.problems.length} problems`);
  process.exit(bad ? 1 : 0);' "$out/catalogue.json"
