#!/bin/bash
# The project commands as a user runs them: warnings exit 0, a file that cannot be loaded exits 1
# and nothing is changed.
set -u
orvanta="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$orvanta" project new "$dir/blank.fls" >/dev/null || fail "new"
"$orvanta" project check "$dir/blank.fls" | grep -q "1 page(s), 435 fields per page, 0 warning" ||
  fail "check of the empty project"

# Two pages in UTF-8 with a mark; page 2 has a bad integer.
page() { printf '<WebpageTitle>t</WebpageTitle><WebpageFilename>%s</WebpageFilename>\r\n<Name>SWFWidth</Name><Value>%s</Value>\r\n<FontSize>12</FontSize>\r\n' "$1" "$2"; }
{
  printf '\xEF\xBB\xBF<TemplateFile1>'; page index.html 468; printf '</TemplateFile1>\r\n'
  printf '<TemplateFile2>'; page two.html '12<script>'; printf '</TemplateFile2>\r\n'
} >"$dir/bad.fls"
out=$("$orvanta" project check "$dir/bad.fls") || fail "check with a bad integer exits 0"
grep -q 'warning: page 2, SWFWidth: "12<script>" is not a number' <<<"$out" || fail "warning names field and page: $out"
"$orvanta" project check "$dir/bad.fls" --json | grep -q '"field": "SWFWidth"' || fail "json warning"

# A truncated file: check and set exit 1, the file stays as it was.
head -c 30000 "$dir/blank.fls" >"$dir/cut.fls"
cp "$dir/cut.fls" "$dir/cut.orig"
"$orvanta" project check "$dir/cut.fls" 2>"$dir/err" && fail "check of a truncated file exits 1"
grep -q "cut short" "$dir/err" || fail "the reason is given: $(cat "$dir/err")"
"$orvanta" project set "$dir/cut.fls" SWFWidth=300 2>/dev/null && fail "set on a truncated file exits 1"
cmp -s "$dir/cut.fls" "$dir/cut.orig" || fail "a failed set changed the file"

# Set is validated and all-or-nothing; text outside cp1252 survives.
cp "$dir/blank.fls" "$dir/orig.fls"
"$orvanta" project set "$dir/blank.fls" SWFWidth=300 no_such_field=1 2>/dev/null && fail "unknown name exits 1"
cmp -s "$dir/blank.fls" "$dir/orig.fls" || fail "a refused set changed the file"
"$orvanta" project set "$dir/bad.fls" --page 2 buttontext1=Привет buttontarget1=_мой SpeedFPS=500 |
  grep -q "SpeedFPS" || fail "clamped value warned"
[ "$("$orvanta" project get "$dir/bad.fls" buttontext1 --page 2)" = "Привет" ] || fail "get caption"
[ "$("$orvanta" project get "$dir/bad.fls" buttontarget1 --page 2)" = "_мой" ] || fail "get typed target"
[ "$("$orvanta" project get "$dir/bad.fls" SpeedFPS --page 2)" = "40" ] || fail "get clamped"
[ "$("$orvanta" project get "$dir/bad.fls" SWFWidth)" = "468" ] || fail "page 1 untouched"
[ "$(ls "$dir" | wc -l)" = 6 ] || fail "temporary files left: $(ls "$dir")"

echo "project commands: $((failures == 0 ? 1 : 0)) passed, $failures failed"
exit $((failures > 0))
