#!/bin/bash
# `orvanta serve` as a user runs it: the address with its token, the API behind it, Ctrl-C.
set -u
orvanta="$1"
data="$2"
dir=$(mktemp -d)
server=""
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

HOME="$dir" PATH=/nonexistent "$orvanta" serve --data-root "$data" --work "$dir/work" >"$dir/out" 2>&1 &
server=$!
for _ in $(seq 50); do grep -q 'ready in' "$dir/out" && break; sleep 0.1; done
address=$(grep -o 'http://127.0.0.1:[0-9]*/?token=[0-9a-f]*' "$dir/out") || fail "address printed: $(cat "$dir/out")"
grep -q 'open the address above' "$dir/out" || fail "no browser to open is no failure"
port=${address#http://127.0.0.1:}
port=${port%%/*}
token=${address##*=}
state=$(curl -s -H "X-Orvanta-Token: $token" "http://127.0.0.1:$port/api/state")
[[ "$state" == *'"revision":1'* ]] || fail "state with the token: $state"
refused=$(curl -s -o /dev/null -w '%{http_code}' "http://127.0.0.1:$port/api/state")
[ "$refused" = 403 ] || fail "state without the token answered $refused"
kill -INT "$server"
wait "$server"
code=$?
server=""
[ "$code" = 0 ] || fail "Ctrl-C stops cleanly (exit $code)"
grep -q '^stopped' "$dir/out" || fail "says it stopped"

[ "$failures" = 0 ] && echo "1 passed, 0 failed" || { echo "0 passed, $failures failed"; exit 1; }
