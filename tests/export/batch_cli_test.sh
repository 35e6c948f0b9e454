#!/bin/bash
# `orvanta batch` as an agency runs it: a feed of 51 rows, one with a bad cell, gives 50 published
# variants (folder, archive and backup image each) and names the bad row; --shard splits a feed
# between machines without overlap; `export` refuses what it cannot write.
set -u
orvanta="$1"
data="$2"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The data root without the 30 MB Ruffle player, which every variant would copy: a stand-in
# player keeps the published layout. (Links would not do: the data root ignores what leads out.)
mkdir -p "$dir/data/ruffle"
for entry in "$data"/*; do [ "$(basename "$entry")" = ruffle ] || cp -r "$entry" "$dir/data/"; done
echo "// stand-in player" >"$dir/data/ruffle/ruffle.js"

"$orvanta" project new "$dir/p.fls" >/dev/null || fail "new"
{
  echo 'output,SWFWidth,SWFHeight,InputText,buttonurl0,ClickTagEnabled'
  for i in $(seq 1 50); do
    echo "v$i,$((200 + i * 4)),$((60 + i)),\"Sale, $i% off\",https://example.com/$i,True"
    [ "$i" = 20 ] && echo 'bad,wide,90,x,,'
  done
} >"$dir/feed.csv"
out=$("$orvanta" batch "$dir/p.fls" --feed "$dir/feed.csv" --to "$dir/out" --jobs 2 --zip --backup \
  --seed 1 --data-root "$dir/data") && fail "a failed row makes the batch exit 1"
[ "$(find "$dir/out" -mindepth 1 -maxdepth 1 -type d | wc -l)" = 50 ] || fail "50 folders: $(ls "$dir/out" | head)"
[ "$(ls "$dir/out"/*.zip | wc -l)" = 50 ] && [ "$(ls "$dir/out"/*.jpg | wc -l)" = 50 ] ||
  fail "50 archives and 50 backup images"
[ -e "$dir/out/bad" ] && fail "the bad row writes nothing"
grep -q 'built 50 of 51' <<<"$out" || fail "the summary counts: $(tail -3 <<<"$out")"
grep -q 'bad: line 22: SWFWidth: "wide" is not a number' <<<"$out" || fail "the bad row is named: $out"
[ "$(grep -c '^\[' <<<"$out")" = 51 ] || fail "a progress line per row"
iconv -f UTF-16LE -t UTF-8 "$dir/out/v7/index.html" | grep -q 'clickTAG=https%3A%2F%2Fexample.com%2F7"' ||
  fail "each variant has its own fields"

for shard in 1/3 2/3 3/3; do
  "$orvanta" batch "$dir/p.fls" --feed "$dir/feed.csv" --to "$dir/shards" --shard "$shard" \
    --data-root "$dir/data" >/dev/null
done
[ "$(find "$dir/shards" -mindepth 1 -maxdepth 1 -type d | wc -l)" = 50 ] || fail "three shards cover the feed once"

"$orvanta" export "$dir/p.fls" --backup "$dir/b.bmp" --data-root "$dir/data" 2>/dev/null && fail "a .bmp backup exits 1"
err=$("$orvanta" export "$dir/p.fls" --backup "$dir/b.png" --max-kb 1 --data-root "$dir/data" 2>&1 >/dev/null) &&
  fail "a PNG over its limit exits 1"
grep -q "a JPEG backup image can be made smaller" <<<"$err" || fail "the limit is explained: $err"
[ -e "$dir/b.png" ] && fail "nothing is written over the limit"

[ "$failures" -eq 0 ] && echo "batch cli: all passed"
exit "$failures"
