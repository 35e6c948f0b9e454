#!/bin/bash
# The empty project as a user first builds it, read by swf-parser and played by Ruffle: both
# movies' headers, tag order and the depth plan (page fill, panel container, static texts, button
# bar). Its background movie is also left in ACCURACY_DIR, so that the render accuracy check
# compares the strips' source frame with Ruffle's.
#   empty_banner_check.sh ORVANTA DATA_ROOT [ACCURACY_DIR]
set -eu
orvanta="$1"
data="$2"
accuracy_dir="${3:-}"
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

"$orvanta" project new "$dir/blank.fls" >/dev/null
"$orvanta" build "$dir/blank.fls" --data-root "$data" --work "$dir/work" --seed 1 >/dev/null
mkdir "$dir/movies"
cp "$dir/work/temp.swf" "$dir/movies/empty_banner.swf"
cp "$dir/work/temp_bg.swf" "$dir/movies/empty_banner_bg.swf"
cp "$here/empty_banner_expected.json" "$dir/movies/expected.json"
node "$here/../conformance/check.mjs" "$dir/movies"
[ -z "$accuracy_dir" ] || cp "$dir/work/temp_bg.swf" "$accuracy_dir/empty_banner_bg.swf"
