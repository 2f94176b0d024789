#!/usr/bin/env bash
# What a new user sees on a clean Debian 12: in a fresh chroot made with debootstrap, runs the
# README's first command (scripts/run.sh: install, build, start against the emulator), waits for
# the main window under Xvfb and takes a screenshot; builds the Debian package there; then installs
# that package in another fresh chroot and starts the installed program the same way.
#
# The program started by scripts/run.sh is driven by a UI script (R740_UI_SCRIPT, ui/CUi_Script.h)
# through the pages and dialogs the user guide shows, and takes their pictures; a second run of
# scripts/run.sh with the phonebook bundle takes the phonebook program's. They land in
# OUTDIR/guide/, and with --guide in docs/images/ as well.
#
#   sudo scripts/chroot-check.sh [--guide] [OUTDIR]      # default OUTDIR: build-chroot/
#
# Needs root (debootstrap, chroot, mounts) and a Debian mirror (R740_MIRROR, default
# deb.debian.org). Slow (a full build in the chroot): not part of CI. OUTDIR receives
# run-sh.png, package.png, the package and the logs. The base system is kept as a tarball in
# R740_CHROOT_CACHE (default /var/tmp/r740-chroot) so that a second run skips debootstrap; the
# compiler cache of the builds in the chroot is kept there too (R740_CHROOT_CCACHE, "none" for a
# build from nothing). Only compiled objects are kept: every chroot still installs every package
# itself.
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD

guide_images=0
if [ "${1:-}" = --guide ]; then
    guide_images=1
    shift
fi
out=$(realpath -m "${1:-build-chroot}")
mirror=${R740_MIRROR:-http://deb.debian.org/debian}
cache=${R740_CHROOT_CACHE:-/var/tmp/r740-chroot}
ccache_dir=${R740_CHROOT_CCACHE:-$cache/ccache}
# The main window's title holds the program's name; the build in the chroot takes a while.
window_name=${R740_WINDOW_NAME:-R740Cf}
wait_seconds=${R740_WAIT_SECONDS:-3600}
# Tools of the check itself (not of the program): the X server, a window lister and a screen grab.
check_packages=(xvfb xauth x11-utils x11-apps netpbm procps)

if [ "$(id -u)" -ne 0 ]; then
    echo "chroot-check: needs root (debootstrap, chroot, mounts); run it with sudo" >&2
    exit 2
fi
if ! command -v debootstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fi
mkdir -p "$out" "$cache"

roots=()
mounted=()
cleanup() {
    local i p
    # What still runs in a chroot of ours (the program, Xvfb) ends first.
    for r in "${roots[@]}"; do
        for p in /proc/[0-9]*; do
            if [ "$(readlink "$p/root" 2>/dev/null)" = "$r" ]; then
                kill -KILL "${p#/proc/}" 2>/dev/null || true
            fi
        done
    done
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -l "${mounted[$i]}" 2>/dev/null || true
    done
    for r in "${roots[@]}"; do
        # Only a chroot this script made, and only once nothing is mounted in it any more.
        if [ -f "$r/.r740-chroot" ] && ! grep -q " $r/" /proc/mounts; then
            rm -rf --one-file-system "$r"
        fi
    done
}
trap cleanup EXIT

base="$cache/bookworm-base.tar"
if [ ! -f "$base" ]; then
    tmp=$(mktemp -d /var/tmp/r740-base.XXXXXX)
    roots+=("$tmp")
    touch "$tmp/.r740-chroot"
    echo "chroot-check: debootstrap bookworm ($mirror)"
    debootstrap --variant=minbase bookworm "$tmp" "$mirror" > "$out/debootstrap.log" 2>&1
    rm -f "$tmp/.r740-chroot"
    tar -C "$tmp" -cf "$base.part" .
    mv "$base.part" "$base"
    touch "$tmp/.r740-chroot"
fi

# A fresh chroot from the base, with /proc, /dev and /dev/pts of the host, and its own /tmp. Its
# path is left in $root (not printed: a command substitution would run this in a subshell, and the
# clean-up would never learn of the chroot and its mounts).
root=""
new_root() {
    root=$(mktemp -d /var/tmp/r740-root.XXXXXX)
    roots+=("$root")
    tar -C "$root" -xf "$base"
    touch "$root/.r740-chroot"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc" && mounted+=("$root/proc")
    mount --bind /dev "$root/dev" && mounted+=("$root/dev")
    mount --bind /dev/pts "$root/dev/pts" && mounted+=("$root/dev/pts")
    if [ "$ccache_dir" != none ]; then
        mkdir -p "$ccache_dir" "$root/home/user/.cache/ccache"
        mount --bind "$ccache_dir" "$root/home/user/.cache/ccache" && mounted+=("$root/home/user/.cache/ccache")
    fi
}

in_root() {
    local r=$1
    shift
    chroot "$r" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive /bin/bash -c "$*"
}

# Starts Xvfb in the chroot, runs COMMAND under it as a new user would, waits for the main window
# (and for the file DONE in the chroot, when given: the UI script's last picture) and grabs the
# screen into PNG; the command's output goes to LOG. Fails when no window came.
screenshot_of() {
    local r=$1 command=$2 png=$3 log=$4 done=${5:-}
    in_root "$r" "apt-get install -y -qq --no-install-recommends ${check_packages[*]} >/dev/null"
    in_root "$r" "Xvfb :42 -screen 0 1280x900x24 -nolisten tcp >/tmp/xvfb.log 2>&1 & echo \$! > /tmp/xvfb.pid"
    in_root "$r" "cd /home/user && DISPLAY=:42 HOME=/home/user $command > /tmp/run.log 2>&1 & echo \$! > /tmp/run.pid"
    local waited=0 found=0
    while [ $waited -lt "$wait_seconds" ]; do
        if in_root "$r" "DISPLAY=:42 xwininfo -root -tree 2>/dev/null | grep -q -- '$window_name'"; then
            found=1
            break
        fi
        if ! in_root "$r" "kill -0 \$(cat /tmp/run.pid) 2>/dev/null"; then
            break
        fi
        sleep 10
        waited=$((waited + 10))
    done
    if [ $found -eq 1 ] && [ -n "$done" ]; then
        while [ $waited -lt "$wait_seconds" ] && [ ! -f "$r$done" ] &&
            in_root "$r" "kill -0 \$(cat /tmp/run.pid) 2>/dev/null"; do
            sleep 5
            waited=$((waited + 5))
        done
        [ -f "$r$done" ] || found=0
    fi
    if [ $found -eq 1 ]; then
        sleep 5 # the first paint and the first-steps window
        in_root "$r" "DISPLAY=:42 xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > /tmp/shot.png"
        cp "$r/tmp/shot.png" "$png"
        in_root "$r" "DISPLAY=:42 xwininfo -root -tree" > "${log%.log}-windows.txt" 2>&1 || true
    fi
    cp "$r/tmp/run.log" "$log" 2>/dev/null || true
    in_root "$r" "pkill -TERM -P \$(cat /tmp/run.pid) 2>/dev/null; kill \$(cat /tmp/run.pid) \$(cat /tmp/xvfb.pid) 2>/dev/null; true"
    sleep 2
    [ $found -eq 1 ]
}

status=0

echo "chroot-check: 1. scripts/run.sh in a fresh chroot"
new_root
r1=$root
in_root "$r1" "apt-get update -qq && apt-get install -y -qq --no-install-recommends ca-certificates >/dev/null"
in_root "$r1" "useradd -m user 2>/dev/null; mkdir -p /home/user/src"
# The working tree as it stands (committed or not), without build directories.
git ls-files -z --cached --others --exclude-standard | tar -C "$src" --null -T - -cf - | tar -C "$r1/home/user/src" -xf -
# The user guide's pictures, in the guide's order (command numbers: ui/CUi_Commands.h; pages: 0
# the first, -1 the last). The screen grab below comes once the script has taken its last picture.
guide=/home/user/guide
mkdir -p "$r1$guide"
cat >"$r1$guide/configurator.script" <<TEXT
log $guide/configurator.log
# The first start: the main window and the first steps beside it
firststeps
screenshot-screen $guide/first-start.png
screenshot-help $guide/first-steps.png
# Telephone, Read configuration: from the emulator
command 2501
page -1
screenshot $guide/connection.png
# The MSN page and its first entry
page 3
row 0
screenshot-dialog $guide/msn-entry.png
close
# Telephone, Send configuration: its PIN dialog, cancelled
dialog 2502
screenshot-dialog $guide/pin.png
close
page 0
screenshot $guide/basic-settings.png
TEXT
cat >"$r1$guide/phonebook.script" <<TEXT
log $guide/phonebook.log
# Telephone, Read phonebook; then File, Import phonebook
command 2503
screenshot $guide/phonebook.png
dialog 2510
screenshot-dialog $guide/import.png
close
quit
TEXT
if screenshot_of "$r1" "R740_UI_SCRIPT=$guide/configurator.script src/scripts/run.sh" "$out/run-sh.png" \
    "$out/run-sh.log" "$guide/basic-settings.png"; then
    echo "chroot-check: main window seen: $out/run-sh.png"
else
    echo "chroot-check: no main window from scripts/run.sh (log: $out/run-sh.log)" >&2
    status=1
fi
# The phonebook program: the same command with the phonebook bundle; the script ends it.
in_root "$r1" "Xvfb :42 -screen 0 1280x900x24 -nolisten tcp >/tmp/xvfb.log 2>&1 & echo \$! > /tmp/xvfb.pid"
in_root "$r1" "cd /home/user && DISPLAY=:42 HOME=/home/user R740_UI_SCRIPT=$guide/phonebook.script \
    R740_RESOURCE=build/resources/TALVO_pb/Res_Pb.rcc timeout 600 src/scripts/run.sh" \
    >"$out/phonebook.log" 2>&1 || status=1
in_root "$r1" "kill \$(cat /tmp/xvfb.pid) 2>/dev/null; true"
mkdir -p "$out/guide"
cp "$r1$guide"/*.png "$r1$guide"/*.log "$out/guide/" 2>/dev/null || true
for picture in first-start first-steps basic-settings connection msn-entry pin import phonebook; do
    if [ ! -f "$out/guide/$picture.png" ]; then
        echo "chroot-check: no picture $picture.png for the guide (logs: $out/guide/)" >&2
        status=1
    elif [ $guide_images -eq 1 ]; then
        cp "$out/guide/$picture.png" "$src/docs/images/$picture.png"
    fi
done

# run.sh builds what it starts; the package holds the tool and the link library too.
echo "chroot-check: 2. the Debian package"
if in_root "$r1" "cd /home/user/src && cmake --build build -j2 && cpack --config build/CPackConfig.cmake -B /tmp/pkg" > "$out/cpack.log" 2>&1; then
    cp "$r1"/tmp/pkg/r740cf_*.deb "$out/"
    deb=$(ls "$out"/r740cf_*.deb | tail -n 1)
    new_root
    r2=$root
    cp "$deb" "$r2/tmp/"
    in_root "$r2" "apt-get update -qq && apt-get install -y -qq /tmp/$(basename "$deb")" > "$out/package-install.log" 2>&1
    in_root "$r2" "useradd -m user 2>/dev/null; true"
    # The installed tool finds its bundles from anywhere.
    in_root "$r2" "cd /home/user && r740tool --brand TALVO_pb resource-info" > "$out/package-tool.log" 2>&1 || status=1
    if screenshot_of "$r2" "R740Cf" "$out/package.png" "$out/package.log"; then
        echo "chroot-check: installed program's window seen: $out/package.png"
    else
        echo "chroot-check: no window from the installed program (log: $out/package.log)" >&2
        status=1
    fi
else
    echo "chroot-check: cpack failed (log: $out/cpack.log)" >&2
    status=1
fi
exit $status
