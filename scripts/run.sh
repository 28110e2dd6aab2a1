#!/usr/bin/env bash
# Installs what is missing, builds the program it starts, prepares the working
# folder ./work and starts the program there: by default with the simulated
# device (model 800) as COM1; with --port, with the given devices under the
# given COM names instead, and no simulated device.
# Usage: scripts/run.sh [--hu] [--port COMn=DEVICE ...]
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
usage="usage: scripts/run.sh [--hu] [--port COMn=DEVICE ...]   (COM1 to COM31, the names the program lists)"
program=devloader
ports=()
while [ $# -gt 0 ]; do
    case "$1" in
    --hu) program=devloader-hu ;;
    -h | --help) echo "$usage"; exit 0 ;;
    --port)
        [[ "${2:-}" =~ ^COM([1-9]|[12][0-9]|3[01])=.+$ ]] || { echo "$usage" >&2; exit 2; }
        ports+=("$2")
        shift ;;
    *) echo "$usage" >&2; exit 2 ;;
    esac
    shift
done

targets=("$program")
[ ${#ports[@]} -eq 0 ] && targets+=(devsim)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" "$top/build" -- "${targets[@]}"

work="$top/work"
mkdir -p "$work"
# Only what is missing: the user's own varnidex.dll or handshake.dll stays.
for file in "$top"/data/*; do
    [ -e "$work/${file##*/}" ] || cp "$file" "$work/"
done

# The port search writes to every name it finds here, so no link is left over
# from an earlier run (an adapter, or a simulated device's dead pseudo-terminal).
export DEVLOADER_PORTS="$work/ports"
rm -rf "$DEVLOADER_PORTS"
mkdir "$DEVLOADER_PORTS"

if [ ${#ports[@]} -gt 0 ]; then
    for port in "${ports[@]}"; do
        device="${port#*=}"
        # The program runs in work/, so a relative path is taken from here.
        [[ "$device" = /* ]] || device="$PWD/$device"
        [ -e "$device" ] || echo "run.sh: $device does not exist (yet)" >&2
        ln -sfn "$device" "$DEVLOADER_PORTS/${port%%=*}"
    done
    cd "$work"
    exec "$top/build/$program"
fi

# The simulated device answers on a pseudo-terminal that COM1 names.
"$top/build/devsim" --link "$DEVLOADER_PORTS/COM1" --model 800 >"$work/devsim.log" 2>&1 &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$DEVLOADER_PORTS/COM1" ] && break; sleep 0.1; done

cd "$work"
"$top/build/$program"
