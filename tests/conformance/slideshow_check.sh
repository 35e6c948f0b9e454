#!/bin/bash
# The slideshow and album as a user sees them in Ruffle: a banner of three one-colour photos built
# with `orvanta build`, then mouse steps on its album. Usage: slideshow_check.sh ORVANTA DATA_ROOT
set -eu
orvanta=$(realpath "$1")
data=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# Uncompressed 24-bit BMP photos: the builder reads pictures by their content.
python3 - "$dir" <<'PY'
import struct, sys
for name, (r, g, b) in {"red": (255, 0, 0), "green": (0, 255, 0), "blue": (0, 0, 255)}.items():
    w, h = 60, 48
    row = bytes([b, g, r]) * w
    pixels = row * h
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    open(f"{sys.argv[1]}/{name}.bmp", "wb").write(header + info + pixels)
PY

"$orvanta" project new "$dir/p.fls" >/dev/null
# Box (20, 20) 150 x 120; thumbnails 49 x 39 at (20, 170), two per page, so photo 3 is on page 2;
# the page controls stand in a row at y 219: previous arrow x 3, pages x 20 and 37, next x 54.
"$orvanta" build "$dir/p.fls" --data-root "$data" --work "$dir/work" --seed 1 --set \
  "Photos=$dir/red.bmp|$dir/green.bmp|$dir/blue.bmp" SWFWidth=300 SWFHeight=260 photox=20 \
  photoy=20 photowidth=150 photoheight=120 photodelay=3 thumbenabled=True galleryx=20 \
  galleryy=170 galleryrow=1 gallerycol=2 Bordershadow=False >/dev/null
mkdir "$dir/check"
cp "$dir/work/temp.swf" "$dir/check/slideshow.swf"
cat >"$dir/check/expected.json" <<'JSON'
{
  "slideshow.swf": {
    "ruffle": { "playMs": 2500, "loadTimeoutMs": 40000 },
    "pixels": [{ "x": 95, "y": 80, "rgb": "ff0000", "tol": 90, "what": "the first photo in the box (the album may still be fading in)" },
               { "x": 44, "y": 189, "rgb": "ff0000", "tol": 90, "what": "its thumbnail on page 1" }],
    "steps": [
      { "waitMs": 3000 },
      { "pixels": [{ "x": 95, "y": 80, "rgb": "00ff00", "tol": 40, "what": "the second photo after the delay" },
                   { "x": 24, "y": 223, "rgb": "ffff00", "tol": 40, "what": "page 1 marked current" }] },
      { "mouse": "click", "x": 61, "y": 226 },
      { "pixels": [{ "x": 44, "y": 189, "rgb": "0000ff", "tol": 40, "what": "next arrow: page 2 shows photo 3" }] },
      { "mouse": "click", "x": 27, "y": 226 },
      { "pixels": [{ "x": 44, "y": 189, "rgb": "ff0000", "tol": 40, "what": "page button 1: page 1 again" }] },
      { "mouse": "click", "x": 103, "y": 189, "waitMs": 2500 },
      { "pixels": [{ "x": 95, "y": 80, "rgb": "00ff00", "tol": 40, "what": "the clicked photo flown into the box, the show (now at photo 3) hidden" }] }
    ]
  }
}
JSON
cd "$here" && node check.mjs -v --screenshot "$dir/check"

# Nine photos of 200 s at 40 fps pass the 16-bit frame count: refused with a warning, and the
# banner is still a valid movie.
mkdir "$dir/long"
nine="$dir/red.bmp"
for _ in 1 2 3 4 5 6 7 8; do nine="$nine|$dir/red.bmp"; done
out=$("$orvanta" build "$dir/p.fls" --data-root "$data" --work "$dir/long" --seed 1 --set \
  "Photos=$nine" SpeedFPS=40 photodelay=200)
grep -q "Slideshow too long: 72,001 frames (limit 65,535)" <<<"$out" ||
  { echo "FAIL: no budget warning: $out"; exit 1; }
node check.mjs --no-ruffle "$dir/long/temp.swf"
if [ -n "${SLIDESHOW_SCREENSHOTS:-}" ]; then cp -r "$dir/check/screenshots" "$SLIDESHOW_SCREENSHOTS"; fi
