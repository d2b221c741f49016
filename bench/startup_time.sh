#!/usr/bin/env bash
# Start-up time: from the exec of the program to the first paint of an empty
# list, on an Xvfb display with a tray host (tools/with-tray-host.sh), RUNS
# times (default 11); prints every run and the median.
#   bench/startup_time.sh BUILD_DIR [RUNS]
set -euo pipefail
BUILD=${1:?build directory}
RUNS=${2:-11}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
PROBE=$(cd "$BUILD" && pwd)/bench/telvaro_startup_probe
[ -x "$PROBE" ] || { echo "startup_time: build the target telvaro_startup_probe first" >&2; exit 2; }

"$ROOT/tools/with-tray-host.sh" bash -c '
    probe=$1 runs=$2
    "$probe" >/dev/null 2>&1 || true    # once to warm the file cache
    for i in $(seq "$runs"); do
        TELVARO_LAUNCH_NS=$(date +%s%N) "$probe" 2>/dev/null | tee -a /dev/stderr
    done | sort -n | awk "{ t[NR] = \$1 } END { printf \"median of %d runs: %.1f ms\\n\", NR, t[int((NR + 1) / 2)] }"
' startup "$PROBE" "$RUNS"
