#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all test suites.
# With --sanitize the suites are built and run once more under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"

if [ "${1:-}" = "--sanitize" ]; then
    build="$top/build-sanitize"
    "$top/scripts/build.sh" "$build" -DDEVLOADER_SANITIZE=ON
else
    build="$top/build"
    "$top/scripts/build.sh" "$build"
fi
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
