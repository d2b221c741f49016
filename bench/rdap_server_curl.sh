#!/usr/bin/env bash
# The loopback RDAP server under curl, 40 at a time, as telvaro_bench_rdap
# asks it: the same 2000 names, against a server that answers at once and
# one that answers after DELAY ms (default 50). Each server gets one curl per
# lookup over HTTP and over HTTPS, then 50 lookups per curl so that
# connections are reused. After each server its last line tells connections
# and requests.
#   bench/rdap_server_curl.sh BUILD_DIR
set -euo pipefail
BUILD=${1:?build directory}
COUNT=${COUNT:-2000}
DELAY=${DELAY:-50}
WORK=$(mktemp -d)
SERVER_PID=
trap '[ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null; rm -rf "$WORK"' EXIT
seq -f "name%06g.com" 1 "$COUNT" | awk 'NR % 2 { print "free" $0; next } { print }' > "$WORK/names"

# run LABEL URL-PREFIX URLS-PER-CURL [CURL OPTIONS...]
run() {
    local label=$1 prefix=$2 per=$3
    shift 3
    local start end
    start=$(date +%s.%N)
    sed "s|^|$prefix/domain/|" "$WORK/names" |
        xargs -P 40 -n "$per" curl -s "$@" -w '\n%{http_code}\n' | grep -xE '[0-9]{3}' | sort | uniq -c | awk '{ printf "%s x %s  ", $1, $2 }' > "$WORK/codes"
    end=$(date +%s.%N)
    printf '%-28s %s in %.2f s\n' "$label:" "$(cat "$WORK/codes")" "$(echo "$end - $start" | bc)"
}

# serve DELAY-MS: runs every kind of client against a fresh server.
serve() {
    local delay=$1
    "$BUILD/tools/telvaro-rdap-server" --make-cert "$WORK" --delay "$delay" > "$WORK/out" &
    SERVER_PID=$!
    for _ in $(seq 100); do [ "$(wc -l < "$WORK/out")" -ge 2 ] && break; sleep 0.1; done
    local http https
    http=$(sed -n 1p "$WORK/out")
    https=$(sed -n 2p "$WORK/out")
    echo "--- server answering after $delay ms"
    run "http, one curl each" "http://127.0.0.1:$http" 1
    run "https, one curl each" "https://127.0.0.1:$https" 1 --cacert "$WORK/cert.pem"
    run "http, 50 per curl" "http://127.0.0.1:$http" 50
    run "https, 50 per curl" "https://127.0.0.1:$https" 50 --cacert "$WORK/cert.pem"
    kill "$SERVER_PID"
    wait "$SERVER_PID" || true
    SERVER_PID=
    tail -1 "$WORK/out"
}

serve 0
serve "$DELAY"
