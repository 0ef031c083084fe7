#!/usr/bin/env bash
# Installs what is missing, builds the program (and nothing else) and starts it. With no
# display it runs under Xvfb, takes a screenshot and says where it went.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
build="$root/build"
# A folder configured before keeps its generator (CMake refuses to switch); the options
# are given every time, so one configured with the tests or benchmarks on is turned back.
generator=(-G Ninja)
[ -f "$build/CMakeCache.txt" ] && generator=()
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESTRANE_TESTS=OFF -DKESTRANE_BENCH=OFF >/dev/null
cmake --build "$build" --target Kestrane
exe="$build/Kestrane"

if [ -n "${DISPLAY:-}" ]; then
    exec "$exe"
fi

shot="$root/build/screenshot.png"
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
    "$1" & pid=$!
    for _ in $(seq 1 100); do
        xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1 && break
        sleep 0.1
    done
    sleep 1
    import -window root "$2"
    echo "No display: the program ran under Xvfb; screenshot in $2"
    echo "Press Ctrl+C to end it."
    wait "$pid"
' _ "$exe" "$shot"
