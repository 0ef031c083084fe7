#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite twice: a normal
# build and an AddressSanitizer + UndefinedBehaviorSanitizer build, headless under CTest.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" || exit 1
export QT_QPA_PLATFORM=offscreen
# CMAKE_BUILD_PARALLEL_LEVEL caps the build jobs and the tests run at once.
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}

status=0
run_suite() {
    local name=$1 dir=$2
    shift 2
    echo "=== $name build"
    if ! "$root/scripts/build.sh" "$dir" -DKESTRANE_BENCH=OFF "$@"; then
        echo "=== $name build failed"
        status=1
        return
    fi
    bash "$root/scripts/extra-tests.sh" "$dir" "$name" || status=1
    echo "=== $name tests"
    (cd "$dir" && ctest --output-on-failure -j "$jobs") || status=1
}

run_suite normal "$root/build-tests" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite sanitizer "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DKESTRANE_SANITIZE=ON
exit $status
