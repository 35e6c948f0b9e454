#!/bin/bash
# `orvanta build` as a user runs it: warnings exit 0, failures exit 1, one seed gives one file.
set -u
orvanta="$1"
data="$2"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
build() { "$orvanta" build "$dir/blank.fls" --data-root "$data" "$@"; }

"$orvanta" project new "$dir/blank.fls" >/dev/null || fail "new"
out=$(build --work "$dir/a" --seed 5) || fail "the empty project builds: $out"
for f in temp.swf temp_bg.swf temp_bg1.jpg temp_bg2.jpg temp_bg3.jpg temp_bg4.jpg; do
  [ -s "$dir/a/$f" ] || fail "$f written"
done
build --work "$dir/b" --seed 5 >/dev/null || fail "second build"
cmp -s "$dir/a/temp.swf" "$dir/b/temp.swf" && cmp -s "$dir/a/temp_bg.swf" "$dir/b/temp_bg.swf" ||
  fail "one seed gives identical movies"

out=$(build --work "$dir/c" --json --set PageBackGroundImageEnabled=True \
  --set PageBackGroundImageEdit=gone.jpg) || fail "a missing picture still exits 0"
grep -q '"message": "gone.jpg file not found !"' <<<"$out" || fail "missing picture warning: $out"
grep -q '"stage": "strip render"' <<<"$out" || fail "stage times in the json"
grep -q '"label": "\[Layout\] 800x800"' <<<"$out" && grep -q '"label": "Back Ground"' <<<"$out" ||
  fail "the empty page lists the layout and the background: $out"

out=$(build --work "$dir/f" --json --set shape1listbox=3 --set StaticImageText=photo01.jpg \
  --set StaticImageText2=gone.png) || fail "panels and pictures build"
grep -q '"message": "gone.png file not found !"' <<<"$out" || fail "missing static image warning: $out"
grep -q '"label": "Static Image1"' <<<"$out" && grep -q '"label": "Shape1"' <<<"$out" ||
  fail "the panel and the picture are listed: $out"

out=$(build --work "$dir/d" --set 'webpage_filename=../../x.html') || fail "unsafe page name builds"
grep -q 'is not a safe page file name; "x.html" is used' <<<"$out" || fail "the cleaned name is reported: $out"

build --work "$dir/e" --set NoSuchField=1 2>/dev/null && fail "an unknown field exits 1"
[ -e "$dir/e/temp.swf" ] && fail "nothing is built after a failure"
"$orvanta" build "$dir/none.fls" 2>/dev/null && fail "a missing project exits 1"

# A shipped sample opens by its name in the data root, from any folder; the data root is only
# read, and a name that climbs out of it is not looked for there.
if [ -e "$data/default_template/blank.fls" ]; then
  before=$(find "$data/default_template" -newer "$data/default_template/blank.fls" | wc -l)
  out=$(cd "$dir" && "$orvanta" build default_template/banner16.fls --data-root "$data" --work "$dir/s") ||
    fail "a sample builds by its data-root name: $out"
  grep -q warning <<<"$out" && fail "a sample builds without warnings: $out"
  (cd "$dir" && "$orvanta" project set default_template/banner16.fls SWFWidth=300 >/dev/null 2>&1) &&
    fail "project set does not look in the data root"
  [ "$(find "$data/default_template" -newer "$data/default_template/blank.fls" | wc -l)" = "$before" ] ||
    fail "the data root was written"
  (cd "$dir" && "$orvanta" build ../default_template/banner16.fls --data-root "$data/photos" 2>/dev/null) &&
    fail "a name leaving the data root exits 1"
fi

[ "$failures" -eq 0 ] && echo "build cli: all passed"
exit "$failures"
