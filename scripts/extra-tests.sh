#!/usr/bin/env bash
# Checks beyond CTest, called by test.sh as: extra-tests.sh <build folder> <normal|sanitizer>.
# With the normal suite only:
# - builds tests/parent, a project of its own that adds the repository as a subdirectory and
#   links the library, and runs its probe;
# - builds the settings reader's libFuzzer target and runs it for a bounded minute over the
#   seed corpus, with a dictionary of the value tags and type numbers. A crash, or a file
#   that a read-write save changes, fails the test command; the crashing input is left in
#   <build folder>/fuzz/ to be added to tests/fuzz/regressions/.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd) || exit 1
suite=$2
[ "$suite" = normal ] || exit 0

# Other builds share the machine: four jobs at most, fewer when CMAKE_BUILD_PARALLEL_LEVEL says so.
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
[ "$jobs" -gt 4 ] && jobs=4

parent_check() {
    local dir="$build/parent" log="$build/parent.log"
    echo "=== parent project: building tests/parent, which adds the repository as a subdirectory"
    # Configured afresh: the check is that a new build of another project works.
    rm -rf "$dir"
    if ! timeout -k 10 120 cmake -S "$root/tests/parent" -B "$dir" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$log" 2>&1 ||
        ! timeout -k 10 900 cmake --build "$dir" --target parent_probe \
            --parallel "$jobs" >>"$log" 2>&1; then
        tail -n 20 "$log"
        echo "=== parent project: FAILED to build (log in $log)"
        return 1
    fi
    if ! QT_QPA_PLATFORM=offscreen timeout -k 10 60 "$dir/parent_probe"; then
        echo "=== parent project: FAILED, its probe did not pass"
        return 1
    fi
    echo "=== parent project: passed"
}
parent_status=0
parent_check || parent_status=1

out="$build/fuzz"
mkdir -p "$out/corpus"
moc="$(pkg-config --variable=host_bins Qt5Core)/moc"

echo "=== fuzz: building the settings reader target"
# Bounded too: a stuck compiler must fail the step, not block the test command.
rm -f "$out/fuzz_easyini"
timeout -k 10 300 "$moc" "$root/common/easyini.h" -o "$out/moc_easyini.cpp" || {
    echo "=== fuzz: moc failed"
    exit 1
}
# shellcheck disable=SC2046
timeout -k 10 600 clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address -fPIC -I"$root" \
    -I"$root/tests" "$root/tests/fuzz/fuzz_easyini.cpp" "$root/tests/support/iniroundtrip.cpp" \
    "$root/common/easyini.cpp" "$root/common/smallfile.cpp" \
    "$root/common/instanceregistry.cpp" "$root/common/variantstreamcheck.cpp" "$out/moc_easyini.cpp" \
    $(pkg-config --cflags --libs Qt5Gui) -o "$out/fuzz_easyini" && [ -x "$out/fuzz_easyini" ] || {
    echo "=== fuzz: build failed"
    exit 1
}

echo "=== fuzz: running for 60 s"
# Failing allocations are reported as std::bad_alloc, as in the release build, so a hostile
# element count reaches the reader's handler instead of aborting the sanitizer; the RSS
# limit still catches real memory growth. The outer timeout keeps a hang from blocking CI.
ASAN_OPTIONS=allocator_may_return_null=1:detect_leaks=0 QT_QPA_PLATFORM=offscreen \
    timeout -k 10 150 "$out/fuzz_easyini" -max_total_time=60 -timeout=10 \
    -rss_limit_mb=2048 -malloc_limit_mb=1048576 -print_final_stats=1 \
    -dict="$root/tests/fuzz/easyini.dict" \
    -artifact_prefix="$out/" "$out/corpus" "$root/tests/fuzz/corpus" \
    "$root/tests/fuzz/regressions" >"$out/fuzz.log" 2>&1
status=$?
tail -n 15 "$out/fuzz.log"
if [ $status -ne 0 ]; then
    echo "=== fuzz: FAILED (exit $status); inputs: $(ls "$out"/crash-* "$out"/oom-* "$out"/timeout-* 2>/dev/null)"
    exit 1
fi
echo "=== fuzz: passed"
exit $parent_status
