#!/usr/bin/env bash
# Times a first start as a new user has it: on a fresh Debian 12 (a minbase
# debootstrap folder, packages from Debian's archive), from a fresh clone of
# this repository, `scripts/run` until its window is on the display.
#
# bench/first_start.sh FOLDER   (as root; DISPLAY names an X server, e.g. Xvfb with a
#                                window manager; FOLDER is made with debootstrap when
#                                missing, which is not timed, and used once)
set -euo pipefail
root=$(realpath -m "${1:?usage: bench/first_start.sh FOLDER}")
repo=$(cd "$(dirname "$0")/.." && pwd)
: "${DISPLAY:?DISPLAY names the X server the window opens on}"

if [[ ! -x "$root/bin/bash" ]]; then
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >&2
fi
[[ -e "$root/root/mozaru" ]] && { echo "$root has been used: take a fresh one" >&2; exit 2; }
git clone -q --no-hardlinks "$repo" "$root/root/mozaru"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mounts=(proc sys dev tmp/.X11-unix)
mkdir -p "$root/tmp/.X11-unix"
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --rbind /dev "$root/dev"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
cleanup() {
    for m in "${mounts[@]}"; do umount -R "$root/$m" 2>/dev/null || true; done
}
trap cleanup EXIT

in_root() {
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        DISPLAY="$DISPLAY" LANG=C.UTF-8 /bin/bash -c "cd /root/mozaru && $1"
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg), cores: $(nproc)"
# The packages first, on their own (scripts/run then finds them there), so
# that the two parts can be told apart.
start=$(date +%s.%N)
in_root 'scripts/bootstrap run' >"$root/root/first_start.log" 2>&1
packages=$(date +%s.%N)
in_root 'scripts/run' >>"$root/root/first_start.log" 2>&1 &
runner=$!
window=""
while [[ -z "$window" ]]; do
    if ! kill -0 "$runner" 2>/dev/null; then
        echo "scripts/run ended without a window:" >&2
        tail -20 "$root/root/first_start.log" >&2
        exit 1
    fi
    sleep 0.5
    window=$(xdotool search --name '^Mozaru \(Version' 2>/dev/null | head -1 || true)
done
end=$(date +%s.%N)
awk -v s="$start" -v p="$packages" -v e="$end" 'BEGIN {
    printf "first start: %.0f s from scripts/run to the window (packages %.0f s, build and start %.0f s)\n",
           e - s, p - s, e - p
}'
echo "window: $(xdotool getwindowname "$window")"
kill "$(xdotool getwindowpid "$window")"
wait "$runner" || true
