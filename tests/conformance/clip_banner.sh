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
python3 - "$out/panel.swf" "$out/own.swf" <<'PY'
import lzma, struct, sys, zlib
data = open(sys.argv[1], "rb").read()
body = zlib.decompress(data[8:]) if data[:3] == b"CWS" else data[8:]
packed = lzma.compress(body, format=lzma.FORMAT_ALONE, preset=1)
props, raw = packed[:5], packed[13:]
open(sys.argv[2], "wb").write(b"ZWS" + data[3:8] + struct.pack("<I", len(raw)) + props + raw)
PY

"$orvanta" project new "$out/clips.fls" >/dev/null
# Layer 1 snow (a .swf file), 2 roundflower7 (a template, turned), 3 Halloween3 (a .ddt file,
# shadowed), 4 icon2, 5 banner6 (shows at once).
"$orvanta" build "$out/clips.fls" --data-root "$data" --work "$out/work" --seed 1 \
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
  --set PageBackGroundPosY0=230 --set PageBackGroundScalewidth0=40 --json >"$out/build.json"
if grep -q '"message"' "$out/build.json"; then
  echo "clip banner: the build warned:" && grep '"message"' "$out/build.json" && exit 1
fi
cp "$out/work/temp.swf" "$out/movie/clips.swf"
cp "$here/clip_banner.json" "$out/movie/expected.json"
node "$here/check.mjs" --screenshot "$out/movie"

"$orvanta" catalogue --data-root "$data" --json >"$out/catalogue.json"
node -e '
  const c = require(process.argv[1]);
  const want = {"Flash Banner": 84, "Flash Slideshow": 17, "Button Styles": 138,
                "Shape Styles": 107, "Library Clips": 799};
  let bad = 0;
  for (const l of c.lists)
    if (l.name in want && l.entries.length !== want[l.name]) { console.log(l.name, l.entries.length); bad++; }
  const clips = c.lists.find((l) => l.name === "Library Clips");
  if (clips.entries.some((e) => !e.thumbnail)) { console.log("a clip without thumbnail"); bad++; }
  console.log(`catalogue: read in ${c.ms.toFixed(1)} ms, ${c.problems.length} problems`);
  process.exit(bad ? 1 : 0);' "$out/catalogue.json"
