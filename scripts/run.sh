#!/usr/bin/env bash
# Installs what is missing, builds, prepares the working folder ./work and
# starts devloader there, with the simulated device (model 800) as COM1.
# Usage: scripts/run.sh [--hu]   (--hu starts the Hungarian program)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
program=devloader
[ "${1:-}" = "--hu" ] && program=devloader-hu

"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" "$top/build"

work="$top/work"
mkdir -p "$work/ports"
# Only what is missing: the user's own varnidex.dll or handshake.dll stays.
for file in "$top"/data/*; do
    [ -e "$work/${file##*/}" ] || cp "$file" "$work/"
done

# The simulated device answers on a pseudo-terminal that COM1 names.
export DEVLOADER_PORTS="$work/ports"
rm -f "$work/ports/COM1"
"$top/build/devsim" --link "$work/ports/COM1" --model 800 >"$work/devsim.log" 2>&1 &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$work/ports/COM1" ] && break; sleep 0.1; done

cd "$work"
"$top/build/$program"
