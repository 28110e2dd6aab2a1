#!/usr/bin/env bash
# Configures and builds both programs, the simulated device and the tests.
# Usage: scripts/build.sh [BUILD_DIR] [extra cmake options...]
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$top/build}"
shift || true
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
