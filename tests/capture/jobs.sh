#!/usr/bin/env bash
# An excerpt recorded by three captures at once, each encoding its part, and
# joined without encoding again is, frame for frame, the excerpt that one
# capture records: the pictures decoded from both videos (encoded losslessly
# here) are as many, at the same times and the same byte for byte; the music
# is there once over the whole.  The excerpt crosses a scene change and a
# flash, and its parts begin inside them.
#
#   jobs.sh (run from anywhere; the native player and media built)
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "joined parts: $*" >&2; exit 1; }

readonly frames=13
record() {
    VX_RECORD_BUILT=1 VX_VIDEO_CRF=0 VX_CAPTURE_TIMEOUT=240 scripts/record "$work/$1.mp4" \
        --native --fps 10 --start 16.8 --duration 1.3 --jobs "$2" >"$work/$1.log" 2>&1 \
        || { cat "$work/$1.log"; fail "recording with --jobs $2 failed"; }
}
# "PTS,MD5" of every decoded picture.
pictures() {
    ffmpeg -v error -i "$1" -map 0:v:0 -f framemd5 - | grep -v '^#' | awk -F', *' '{ print $3 "," $6 }'
}
record one 1
record three 3
pictures "$work/one.mp4" >"$work/one.txt"
pictures "$work/three.mp4" >"$work/three.txt"
count=$(wc -l <"$work/one.txt")
[ "$count" -eq "$frames" ] || fail "one capture's video has $count pictures, not $frames"
diff "$work/one.txt" "$work/three.txt" >&2 || fail "the joined parts differ from one capture's video"
[ "$(sort -u -t, -k2 "$work/one.txt" | wc -l)" -gt 3 ] || fail "the excerpt barely changes"
audio=$(ffprobe -v error -select_streams a -show_entries stream=codec_name -of csv=p=0 "$work/three.mp4")
[ "$audio" = aac ] || fail "the joined video has no single AAC music stream ('$audio')"
echo "joined parts: $count pictures, the same as one capture's"
