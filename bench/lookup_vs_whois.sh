#!/usr/bin/env bash
# 2000 lookups against the loopback whois server, 40 at a time: telvaro-cli
# against Debian's whois client run through xargs -P 40, side by side.
#   bench/lookup_vs_whois.sh BUILD_DIR [DELAY_MS]
set -euo pipefail
BUILD=${1:?build directory}
DELAY=${2:-0}
COUNT=${COUNT:-2000}
CLI=$BUILD/src/cli/telvaro-cli
SERVER=$BUILD/tools/telvaro-whois-server
WORK=$(mktemp -d)
trap 'kill $SERVER_PID 2>/dev/null; rm -rf "$WORK"' EXIT

"$SERVER" --delay "$DELAY" > "$WORK/port" &
SERVER_PID=$!
for _ in $(seq 50); do [ -s "$WORK/port" ] && break; sleep 0.1; done
PORT=$(head -1 "$WORK/port")

seq -f "name%06g" 1 "$COUNT" | awk 'NR % 2 { print "free" $0; next } { print $0 }' > "$WORK/bare"
sed 's/$/.com/' "$WORK/bare" > "$WORK/names"
"$CLI" --home "$WORK" tld set COM "127.0.0.1:$PORT" >/dev/null
"$CLI" --home "$WORK" new "$WORK/list.qzn"
"$CLI" --home "$WORK" add "$WORK/list.qzn" --tld COM --from-file "$WORK/bare" >/dev/null
"$CLI" --home "$WORK" select "$WORK/list.qzn" --all

start=$(date +%s.%N)
"$CLI" --home "$WORK" lookup "$WORK/list.qzn" --interval 0 --max-connections 40 2>"$WORK/cli.err"
telvaro=$(echo "$(date +%s.%N) - $start" | bc)

start=$(date +%s.%N)
xargs -P 40 -n 1 whois -h 127.0.0.1 -p "$PORT" < "$WORK/names" > /dev/null
client=$(echo "$(date +%s.%N) - $start" | bc)

tail -1 "$WORK/cli.err"
printf '%d lookups, delay %s ms: telvaro-cli %.2f s, whois client %.2f s (ratio %.2f)\n' \
    "$COUNT" "$DELAY" "$telvaro" "$client" "$(echo "$telvaro / $client" | bc -l)"
