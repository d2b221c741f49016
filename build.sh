#!/usr/bin/env bash
# Telvaro's one entry point for building, running and testing.
#   ./build.sh run       install what is missing, build, start Telvaro
#   ./build.sh test      install what is missing, build, run every test
#   ./build.sh asan      the test suite under AddressSanitizer + UBSan
#   ./build.sh tsan      the test suite under ThreadSanitizer
#   ./build.sh fuzz [SECONDS]  run the file-reader and DNS-answer fuzzers (clang, libFuzzer)
#   ./build.sh bench     build and run the benchmarks
#   ./build.sh package   build build/telvaro_VERSION_ARCH.deb and check it
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
JOBS=${JOBS:-$(nproc)}

PACKAGES=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-liberation xvfb xauth whois python3 libssl-dev openssl curl
          sqlite3 chromium trayer xdotool x11-utils poppler-utils
          qt6-svg-dev man-db dpkg-dev lintian desktop-file-utils appstream)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build DIR [cmake options...]
build() {
    local dir=$1; shift
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$JOBS"
}

run_tests() {
    local dir=$1
    ctest --test-dir "$dir" --output-on-failure -j "$JOBS" --timeout 300
}

case "${1:-}" in
run)
    install_missing "${PACKAGES[@]}"
    build "$ROOT/build"
    exec "$ROOT/build/src/shell/telvaro" "${@:2}"
    ;;
test)
    install_missing "${PACKAGES[@]}"
    build "$ROOT/build" -DTELVARO_WERROR=ON
    run_tests "$ROOT/build"
    ;;
asan)
    install_missing "${PACKAGES[@]}"
    build "$ROOT/build-asan" -DTELVARO_WERROR=ON -DTELVARO_ASAN=ON -DTELVARO_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    LSAN_OPTIONS=suppressions=$ROOT/tests/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        run_tests "$ROOT/build-asan"
    ;;
tsan)
    install_missing "${PACKAGES[@]}"
    build "$ROOT/build-tsan" -DTELVARO_WERROR=ON -DTELVARO_TSAN=ON -DTELVARO_BENCH=OFF
    # Qt is not instrumented: its own threads' memory accesses (the raster
    # painter's thread pool) are not ours to judge. Tests that start
    # telvaro-cli fork a threaded process, which then execs at once.
    TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ignore_noninstrumented_modules=1 die_after_fork=0 suppressions=$ROOT/tests/tsan.supp" \
        setarch "$(uname -m)" -R ctest --test-dir "$ROOT/build-tsan" --output-on-failure -j "$JOBS" --timeout 600
    ;;
fuzz)
    install_missing "${PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
    CC=clang CXX=clang++ build "$ROOT/build-fuzz" -DTELVARO_FUZZ=ON -DTELVARO_BENCH=OFF
    # Each harness in turn, each with a corpus of its own.
    for pair in readers:corpus dns:corpus-dns; do
        harness=${pair%%:*} corpus=${pair#*:}
        mkdir -p "$ROOT/build-fuzz/$corpus"
        cp -n "$ROOT"/tests/fuzz/"$corpus"/* "$ROOT/build-fuzz/$corpus/" 2>/dev/null || true
        "$ROOT/build-fuzz/tests/fuzz/telvaro_fuzz_$harness" -max_total_time="${2:-60}" -rss_limit_mb=2048 \
            "$ROOT/build-fuzz/$corpus"
    done
    ;;
package)
    install_missing "${PACKAGES[@]}"
    build "$ROOT/build" -DTELVARO_WERROR=ON -DTELVARO_PACKAGE_FILES=ON
    (cd "$ROOT/build" && cpack -G DEB >/dev/null)
    "$ROOT/tests/package/check-package.sh" "$ROOT/build"
    ;;
bench)
    install_missing "${PACKAGES[@]}"
    build "$ROOT/build" -DTELVARO_BENCH=ON
    for b in "$ROOT"/build/bench/telvaro_bench_*; do [ -x "$b" ] && "$b"; done
    ;;
*)
    sed -n '2,10p' "$0"
    exit 2
    ;;
esac
