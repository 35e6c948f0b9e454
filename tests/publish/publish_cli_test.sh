#!/bin/bash
# `orvanta publish` as a user runs it: every page into one folder, the files listed, a missing
# file reported with exit 1, and nothing written beside the folder.
set -u
orvanta="$1"
data="$2"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$orvanta" project new "$dir/p.fls" >/dev/null || fail "new"
"$orvanta" project set "$dir/p.fls" 'webpage_filename=../../home.html' preloadindex=1 >/dev/null ||
  fail "set"
out=$("$orvanta" publish "$dir/p.fls" --to "$dir/out/site" --all --seed 1 --data-root "$data" --json) ||
  fail "publishing every page exits 0: $out"
for f in home.html images/home.swf images/home1.jpg images/home4.jpg ruffle/ruffle.js; do
  [ -s "$dir/out/site/$f" ] || fail "$f written"
  grep -q "site/$f\"" <<<"$out" || fail "$f listed"
done
[ "$(ls "$dir/out")" = site ] || fail "nothing beside the folder: $(ls "$dir/out")"

"$orvanta" publish "$dir/p.fls" --to "$dir/all" --mode all-media --data-root "$data" >/dev/null ||
  fail "all-media publish"
[ -s "$dir/all/home.swf" ] && [ ! -e "$dir/all/images" ] || fail "all-media layout: $(ls "$dir/all")"

mkdir "$dir/bare"
err=$("$orvanta" publish "$dir/p.fls" --to "$dir/x" --data-root "$dir/bare" 2>&1 >/dev/null) &&
  fail "a missing player exits 1"
grep -q 'Published with 1 file missing: ruffle/' <<<"$err" || fail "the missing file is named: $err"
[ -s "$dir/x/home.html" ] || fail "the page is written all the same"
"$orvanta" publish "$dir/p.fls" --to "$dir/bare/site" --data-root "$dir/bare" 2>/dev/null &&
  fail "publishing into the data root exits 1"
[ -e "$dir/bare/site" ] && fail "nothing is written into the data root"
"$orvanta" publish "$dir/p.fls" --to "$dir/y" --page 3 --data-root "$data" 2>/dev/null &&
  fail "a page that does not exist exits 1"

[ "$failures" -eq 0 ] && echo "publish cli: all passed"
exit "$failures"
