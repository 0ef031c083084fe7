#!/usr/bin/env bash
# Configures and builds into the given folder: build.sh <folder> [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
# Ninja uses every core; CMAKE_BUILD_PARALLEL_LEVEL, which cmake reads itself, caps the jobs.
cmake --build "$dir"
