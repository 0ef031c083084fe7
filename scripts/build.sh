#!/usr/bin/env bash
# Configures and builds into the given folder: build.sh <folder> [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
# CMAKE_BUILD_PARALLEL_LEVEL caps the jobs on a shared machine; every core otherwise.
cmake --build "$dir" --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
