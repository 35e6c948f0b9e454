#!/usr/bin/env bash
# Builds the animated text of every effect in both display passes with `orvanta build`, checks
# each movie with swf-parser and Ruffle, and compares our rasteriser's first frame of a few of
# them with Ruffle's against stored ceilings.
#   animated_text_conformance.sh ORVANTA OUTDIR [--update]   (--update rewrites the ceilings)
set -euo pipefail
orvanta=$1
out=$2
mode=${3:---check}
here=$(cd "$(dirname "$0")" && pwd)
harness="$here/../conformance"
ceilings="$here/animated_text_ceilings.json"

rm -rf "$out"
mkdir -p "$out/movies" "$out/accuracy" "$out/work"
"$orvanta" project new "$out/work/text.fls" >/dev/null

# The looks cycle with effect + pass, so that every look meets several effects.
looks=(
  ""
  "Letterblur=True LetterDitheringX=3 LetterLineWidth=2 LetterLineColor=0"
  "letterlaser=True letterlinerotation=True TextRotation=20 lettershadowpanel=True"
  "FontFrontGradientColorEnabled=True FontFrontGradientColorType=14 shadowwidth=2 FontFrontgroundEffect1=True"
  "FontFrontArtTextEnabled=True FontFrontArtText8=True FontFrontArtColorEnabled=True"
  "FontFrontSolidColorRandom=True FontFrontgroundEffect3=True FontBackgroundEffectFire=True"
  "FontBackgroundEffectComet=True FontFrontgroundEffect6=True LetterDitheringHeight=10"
)
expected="{"
for effect in $(seq 0 10); do
  for display in 0 1; do
    name="text_e${effect}_d${display}.swf"
    # shellcheck disable=SC2086
    "$orvanta" build "$out/work/text.fls" --work "$out/work/w" --seed 7 --set SWFWidth=400 \
      SWFHeight=200 TextPosX=20 TextPosY=40 "InputText=Flash Effect\nBanner" \
      TextEffectID=$effect TextDisplayType=$display suiSpinEdit9=1200 PageDelayTime=1200 \
      ${looks[(effect + display) % ${#looks[@]}]} >/dev/null
    cp "$out/work/w/temp.swf" "$out/movies/$name"
    expected+="\"$name\": {\"header\": {\"signature\": \"CWS\", \"frameRate\": 12}, \"ruffle\": {\"playMs\": 200}},"
  done
done
echo "${expected%,}}" >"$out/movies/expected.json"

# Frame 1 of these holds a whole picture of the block: the still text, the first turn of a
# round with outlines, art letters at the smallest zoom, and a gradient with a shadow. None of
# them has a background effect, whose clips go on playing while Ruffle holds frame 1.
for name in text_e0_d0 text_e1_d0 text_e3_d1 text_e2_d1; do
  cp "$out/movies/$name.swf" "$out/accuracy/"
done

node "$harness/check.mjs" "$out/movies"
node "$harness/render_accuracy.mjs" "$mode" --sets=conformance --orvanta="$orvanta" \
  --movies="$out/accuracy" --ceilings="$ceilings" --out="$out/pictures"
