#!/usr/bin/env bash
# Writes every template of the program's pack to OUT/all, and a sample for playing to
# OUT/sample: the "A" of every art-letter family, every effect and highlight template, and
# every 16th template of any other family (the banner checks play many more inside banners).
#   extract_artwork.sh ORVANTA OUT
set -euo pipefail
orvanta="$1"
out="$2"
rm -rf "$out"
mkdir -p "$out/all" "$out/sample"
"$orvanta" data list >"$out/list.tsv"
"$orvanta" data extract --all "$out/all" >/dev/null
n=0
while IFS=$'\t' read -r name size family; do
  case "$family" in
    *text) [[ "$name" == *_65 ]] && cp "$out/all/$name.swf" "$out/sample/" ;;
    text-background | static-text-background | mouseover) cp "$out/all/$name.swf" "$out/sample/" ;;
    *) ((n++ % 16 == 0)) && cp "$out/all/$name.swf" "$out/sample/" ;;
  esac
done <"$out/list.tsv"
echo "extract_artwork: $(ls "$out/all" | wc -l) templates, $(ls "$out/sample" | wc -l) to play"
