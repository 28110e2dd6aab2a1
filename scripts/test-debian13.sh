#!/usr/bin/env bash
# Runs the test command (scripts/test.sh) in a minimal Debian 13 root, with
# the Qt that Debian 13 ships. The root is made once with debootstrap and kept
# in build-debian13/ for later runs; every run tests a fresh copy of this
# checkout. Needs root (debootstrap, chroot, mount).
# Usage: scripts/test-debian13.sh [test.sh options...]
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cache="$top/build-debian13"
root="$cache/root"
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

if ! command -v debootstrap >/dev/null; then
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends debootstrap
fi

mounted=()
unmount_all() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        $sudo umount "${mounted[i]}" 2>/dev/null || $sudo umount -l "${mounted[i]}" || true
    done
    mounted=()
}
trap unmount_all EXIT
trap 'exit 130' INT TERM HUP
# Mounts left behind by a run that was killed are taken over, so that they
# are undone at the end (and never removed through, below).
for point in /proc /dev /dev/pts; do
    mountpoint -q "$root$point" 2>/dev/null && mounted+=("$root$point")
done
unmount_all

# A root whose making was cut short is made again.
if [ ! -e "$cache/root.complete" ]; then
    $sudo rm -rf --one-file-system "$root"
    mkdir -p "$cache"
    echo "making the Debian 13 root in $root"
    $sudo debootstrap --variant=minbase trixie "$root" "$mirror" >"$cache/debootstrap.log" 2>&1 || {
        tail -20 "$cache/debootstrap.log"
        exit 1
    }
    touch "$cache/root.complete"
fi
$sudo cp /etc/resolv.conf "$root/etc/resolv.conf"

bind() {
    $sudo mkdir -p "$root$1"
    $sudo mount --bind "$1" "$root$1"
    mounted+=("$root$1")
}
bind /proc
bind /dev
bind /dev/pts

# The checkout as it stands, tracked and new files alike; the build folders
# inside the root are kept so that a second run builds only what changed.
copy="$root/root/devloader"
$sudo mkdir -p "$copy"
$sudo find "$copy" -mindepth 1 -maxdepth 1 ! -name 'build' ! -name 'build-*' -exec rm -rf {} +
(cd "$top" && git ls-files -z --cached --others --exclude-standard | xargs -0 tar --ignore-failed-read -cf - --) \
    | $sudo tar -xf - -C "$copy"

$sudo chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -c 'cd /root/devloader && scripts/test.sh "$@"' test-debian13 "$@"
