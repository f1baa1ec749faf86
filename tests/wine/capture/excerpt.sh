#!/usr/bin/env bash
# Records one second of the demo at 10 frames a second with the real capture
# under Wine and checks that the schedule falls on its frames exactly (a low
# rate keeps the run short: the demo is drawn from its start).  Frame n shows
# the music at n x 100 ms: the excerpt 16.8 s to 17.8 s is frames 168 to 177.
#  - Scene 4 ends at 17.0 s inclusive: frame 170 is its last; frame 171 is
#    Scene 5's set-up frame, which draws nothing and so repeats 170 byte for
#    byte; 172 draws Scene 5.
#  - The flash (17.1 s, 17.6 s] is at full on frame 176 (17.6 s) and gone on
#    frame 177.
#
#   excerpt.sh VessamorixCapture.exe
set -uo pipefail
capture=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "capture excerpt: $*" >&2; exit 1; }

readonly width=800 height=600 first=168 count=10
readonly bytes=$((width * height * 4))
VX_WINE_TIMEOUT=240 "$here/../../../scripts/wine-run" "$capture" --fps 10 --start 16.8 \
    --duration 1 --frames "Z:$work/frames.raw" --quiet
rc=$?
[ "$rc" -eq 0 ] || fail "the capture exited with $rc"
size=$(stat -c %s "$work/frames.raw")
[ "$size" -eq $((bytes * count)) ] || fail "$size bytes written, expected $count frames of $bytes"

frame() { dd if="$work/frames.raw" bs="$bytes" skip=$(($1 - first)) count=1 status=none; }
digest() { frame "$1" | md5sum | cut -d' ' -f1; }
# Mean brightness of a frame, 0 to 1.
brightness() {
    frame "$1" | convert -size "${width}x$height" -depth 8 bgra:- -colorspace gray -format '%[fx:mean]' info:
}
above() { awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN { exit !(a > b + d) }'; }

[ "$(digest 170)" = "$(digest 171)" ] || fail "frame 171 (Scene 5 setting up) does not repeat frame 170"
[ "$(digest 169)" != "$(digest 170)" ] || fail "frames 169 and 170 are the same: Scene 4 stood still"
[ "$(digest 171)" != "$(digest 172)" ] || fail "frame 172 repeats 171: Scene 5 did not draw"

peak=$(brightness 176) after=$(brightness 177) before=$(brightness 172)
echo "brightness: frame 172 $before, frame 176 (flash at full) $peak, frame 177 $after"
above "$peak" "$after" 0.25 || fail "the flash is not at full on frame 176 and gone on 177"
above "$peak" "$before" 0.25 || fail "frame 176 is not brighter than the scene before the flash"
echo "capture excerpt: the scene change and the flash fall on their frames"
