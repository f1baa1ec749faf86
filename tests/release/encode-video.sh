#!/usr/bin/env bash
# The encoding end of scripts/record: one second of raw frames at 25 frames a
# second with three seconds of music becomes an H.264 (yuv420p) and AAC file with
# its index first (+faststart), 25 frames long, the audio starting with the
# video and cut where the frames end; bad arguments to scripts/record are
# refused with their reason before anything is built.
set -uo pipefail
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "encode-video: $*" >&2; exit 1; }
music=$work/music.ogg
ffmpeg -v error -f lavfi -i sine=frequency=440:duration=3 -c:a libvorbis "$music" || fail "no music"
probe() { ffprobe -v error -select_streams "$1" -show_entries "$2" -of csv=p=0 "$work/out.mp4"; }

ffmpeg -v error -f lavfi -i testsrc2=size=320x240:rate=25 -frames:v 25 -pix_fmt bgra -f rawvideo - |
    "$scripts/encode-video" 25 320x240 640x360 "$music" "$work/out.mp4" || fail "encoding failed"
[ "$(probe v:0 stream=codec_name,pix_fmt,width,height)" = "h264,640,360,yuv420p" ] \
    || fail "video stream: $(probe v:0 stream=codec_name,pix_fmt,width,height)"
[ "$(probe v:0 stream=nb_frames)" = 25 ] || fail "$(probe v:0 stream=nb_frames) frames, expected 25"
[ "$(probe a:0 stream=codec_name)" = aac ] || fail "no AAC audio"
audio=$(probe a:0 stream=start_time,duration)
awk -F, '{ exit !($1 == 0 && $2 >= 1.0 && $2 < 1.0 + 1024 / 44100) }' <<<"$audio" \
    || fail "audio start and length $audio: expected 0 and one second, within one AAC frame"
head -c 64 "$work/out.mp4" | grep -q moov || fail "the index (moov) is not at the front"

for args in "--fps 0" "--size 1441x1080" "--size 8x8" "out.avi"; do
    # shellcheck disable=SC2086
    reason=$("$scripts/record" $args 2>&1 >/dev/null)
    [ $? -eq 2 ] && [ -n "$reason" ] || fail "scripts/record $args was not refused with a reason"
done
echo "encode-video: 25 frames, audio from 0 cut at 1 s, index first; bad arguments refused"
