#!/usr/bin/env bash
# The Linux release on a machine that has nothing of ours: a minimal Debian 12
# (debootstrap's minbase) with only Mesa's GL/EGL drivers and the ALSA
# library added.  The archive is unpacked there as an ordinary user would,
# and the player runs headless (SDL's offscreen video and dummy audio) from
# another folder, from 100 s on through the last scenes and the closing
# pictures (at most 10 frames a second: the run is checked, not its speed),
# to exit 0 with a log of a whole start-up beside it.  Its programs
# and carried libraries also ask for no C library newer than Ubuntu 22.04's.
#
#   clean-root.sh ARCHIVE ROOT
#   clean-root.sh --make ROOT     only makes ROOT, where it is missing
#
# ROOT is made once (a few minutes, about 500 MB) and kept; scripts/bootstrap
# makes it beside its other work.  The test is skipped, saying why, where the
# archive is not made yet or the root cannot be made here.
set -uo pipefail
make_only=0
[ "$1" = --make ] && make_only=1
archive=$1 root=$2
skip() {
    [ "$make_only" = 0 ] || { echo "clean-root: $*" >&2; exit 1; }
    echo "SKIPPED: $*"
    exit 0
}
fail() { echo "clean-root: $*" >&2; exit 1; }

[ "$make_only" = 1 ] || [ -f "$archive" ] || skip "no Linux release yet (scripts/release linux makes $archive)"
[ "$(id -u)" -eq 0 ] || skip "making and entering a Debian root needs root"
command -v debootstrap >/dev/null || skip "debootstrap is not installed (scripts/bootstrap installs it)"

mounted=""
work=""
cleanup() {
    [ -z "$mounted" ] || umount "$mounted"
    [ -z "$work" ] || rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The Debian mirror this machine already uses.
mirror() {
    local uri
    uri=$(sed -n 's/^URIs: *\([^ ]*\/debian\)$/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -1)
    [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $2 ~ /\/debian\/?$/ { print $2; exit }' /etc/apt/sources.list 2>/dev/null)
    echo "${uri:-http://deb.debian.org/debian}"
}

# Proc mounted in the root for the time of one command.
in_root() {
    local dir=$1 rc
    shift
    mount -t proc proc "$dir/proc" || return 1
    mounted=$dir/proc
    chroot "$dir" "$@"
    rc=$?
    umount "$mounted" && mounted=""
    return "$rc"
}

make_root() {
    local new=$root.new log=$root.log
    rm -rf "$new"
    echo "making the Debian 12 root $root (log: $log)"
    debootstrap --variant=minbase bookworm "$new" "$(mirror)" >"$log" 2>&1 || return 1
    # The mirror may be a frozen snapshot whose lists are past their date.
    echo 'Acquire::Check-Valid-Until "false";' >"$new/etc/apt/apt.conf.d/99vessamorix"
    in_root "$new" apt-get update >>"$log" 2>&1 || return 1
    in_root "$new" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        libgl1 libegl1 libegl-mesa0 libgl1-mesa-dri libasound2 >>"$log" 2>&1 || return 1
    in_root "$new" apt-get clean >>"$log" 2>&1
    mv "$new" "$root"
}

mkdir -p "$(dirname "$root")"
exec 9>"$root.lock"
flock 9
if [ ! -d "$root" ]; then
    make_root || skip "the Debian root could not be made here (see $root.log)"
fi
[ "$make_only" = 0 ] || exit 0

# Nothing newer from the C library than Ubuntu 22.04 has (2.35).
newest=$(tar -xzOf "$archive" --wildcards 'Vessamorix/bin/*' 2>/dev/null | strings |
    sed -n 's/^GLIBC_\([0-9.]*\)$/\1/p' | sort -V | tail -1)
[ -n "$newest" ] || fail "no GLIBC symbol versions found in the archive's programs"
printf '%s\n2.35\n' "$newest" | sort -V -C || fail "the programs need GLIBC_$newest, newer than Ubuntu 22.04's 2.35"

work=$(mktemp -d "$root/tmp/vessamorix.XXXXXX")
tar -xzf "$archive" -C "$work" || fail "cannot unpack $archive"
inside=${work#"$root"}
chown -R 65534:65534 "$work"
# An ordinary user, started from another folder.
in_root "$root" env -i PATH=/usr/bin:/bin HOME=/tmp SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy \
    setpriv --reuid=65534 --regid=65534 --clear-groups \
    sh -c "cd / && exec timeout --kill-after=10 400 $inside/Vessamorix/bin/vessamorix --start 100 --max-fps 10"
rc=$?
log=$work/Vessamorix/bin/Vessamorix.log
echo "---- Vessamorix.log"
cat "$log" 2>/dev/null
echo "----"
[ "$rc" -eq 0 ] || fail "the player exited with $rc"
[ -f "$log" ] || fail "no log beside the player"
grep -q '^Error!' "$log" && fail "the log reports an error"
[ "$(grep -c '^Success!' "$log")" -ge 5 ] || fail "the log holds no whole start-up"
tail -1 "$log" | grep -q '^EOF' || fail "the log was not closed at the end"
echo "clean-root: the player ran to the end in a minimal Debian 12 (exit 0); newest C library symbol GLIBC_$newest"
