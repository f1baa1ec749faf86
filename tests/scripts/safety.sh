#!/usr/bin/env bash
# The scripts in scripts/ are safe to run:
#  - every one answers --help at once, and refuses an unknown option (and
#    other wrong arguments) with its usage and exit code 2, starting nothing;
#  - compare-frames takes relative paths from the folder it is started in,
#    writes only into a folder it made, and refuses a folder of someone else's;
#  - a recording stopped half-way, by Ctrl-C (SIGINT to the whole process
#    group, as a terminal sends it) or by SIGTERM to the script alone, ends
#    within seconds with a non-zero exit code, leaves no process running and
#    no temporary behind, and leaves the previous video and contact sheet as
#    they were; its temporary output was beside the relative path it was given.
#
#   safety.sh
set -uo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
# vx_descendants and vx_alive
source "$repo/scripts/common.sh"
work=$(mktemp -d)
listener=""
cleanup() {
    [ -z "$listener" ] || kill "$listener" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL $*" >&2; failures=$((failures + 1)); }

# Programs the scripts would start to build or run anything: stand-ins that
# note they were called, so that "--help" and refused arguments can be seen
# to start nothing.
shims=$work/shims
mkdir "$shims"
for program in cmake ffmpeg ffprobe montage convert compare node Xvfb nice timeout emcmake flock; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/started"\nexit 1\n' "$program" "$work" >"$shims/$program"
    chmod +x "$shims/$program"
done

# A port something listens on.
busy_port=0
if command -v node >/dev/null; then
    node -e "require('net').createServer().listen(0, '127.0.0.1', function () {
        console.log(this.address().port) })" >"$work/port" &
    listener=$!
    for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
    busy_port=$(cat "$work/port")
fi

# script | arguments to refuse ("" for none)
refusals=(
    "play|--bogus"
    "play|--native extra"
    "record|--bogus"
    "compare-frames|--bogus"
    "encode-video|--bogus"
    "encode-video|25 320x240"
    "fuzz|--bogus"
    "fuzz|image 0"
    "fuzz|0"
    "test|--bogus"
    "web|--bogus"
    "web|70000"
    "web|$busy_port"
    "wine-run|--bogus"
)

# cmd SCRIPT ARGS...: runs the script from an empty folder with the
# stand-ins first on PATH, five seconds at most; sets out, err and rc.
cmd() {
    local script=$1
    shift
    rm -rf "$work/cwd" "$work/started" && mkdir "$work/cwd"
    (cd "$work/cwd" && PATH=$shims:$PATH DISPLAY=:0 /usr/bin/timeout 5 "$repo/scripts/$script" "$@" \
        >"$work/out" 2>"$work/err")
    rc=$?
    out=$(cat "$work/out") err=$(cat "$work/err")
}

# Nothing was started and nothing written where the script was run.
untouched() {
    [ ! -e "$work/started" ] || fail "$1 started: $(cat "$work/started")"
    [ -z "$(ls -A "$work/cwd")" ] || fail "$1 wrote $(ls -A "$work/cwd")"
}

check_usage() {
    local script
    for script in play record compare-frames encode-video fuzz test web wine-run; do
        cmd "$script" --help
        local usage=${out%%$'\n'*}
        [ "$rc" -eq 0 ] && [ -n "$usage" ] && [[ $out == *"scripts/$script"* ]] \
            || fail "$script --help: exit code $rc, output '${out:0:80}' (expected its usage and 0)"
        untouched "$script --help"
        help[$script]=$usage
    done
    local row args
    for row in "${refusals[@]}"; do
        script=${row%%|*} args=${row#*|}
        [ "$args" = 0 ] && [ "$busy_port" = 0 ] && continue
        # shellcheck disable=SC2086
        cmd "$script" $args
        [ "$rc" -eq 2 ] && [[ $err == *"${help[$script]}"* ]] \
            || fail "$script $args: exit code $rc, errors '${err:0:160}' (expected its usage and 2)"
        untouched "$script $args"
    done
}

# Two folders of pictures as the capture's --stills writes them.
make_pictures() {
    local dir
    for dir in "$@"; do
        mkdir -p "$dir"
        convert -size 64x48 xc:'#336699' "ppm:$dir/01.ppm"
        printf '01.ppm\tScene 01\n' >"$dir/index.txt"
    done
}

check_compare_folders() {
    local here=$work/elsewhere
    mkdir -p "$here/theirs"
    echo keep >"$here/theirs/notes.txt"
    make_pictures "$here/first" "$here/second"
    (cd "$here" && "$repo/scripts/compare-frames" --dirs first second --out result >"$work/out" 2>&1)
    rc=$?
    [ "$rc" -eq 0 ] && [ -s "$here/result/differences.png" ] \
        || fail "compare-frames with relative folders: exit code $rc, no $here/result/differences.png: $(tail -3 "$work/out")"
    (cd "$here" && "$repo/scripts/compare-frames" --dirs first second --out result >"$work/out" 2>&1)
    rc=$?
    [ "$rc" -eq 0 ] || fail "compare-frames into its own folder again: exit code $rc: $(tail -3 "$work/out")"
    (cd "$here" && "$repo/scripts/compare-frames" --dirs first second --out theirs >"$work/out" 2>&1)
    rc=$?
    [ "$rc" -eq 2 ] && [ "$(ls -A "$here/theirs")" = notes.txt ] && [ "$(cat "$here/theirs/notes.txt")" = keep ] \
        || fail "compare-frames into a folder of someone else's: exit code $rc, it holds $(ls -A "$here/theirs")"
}

# interrupt HOW: starts a native recording into clips/demo.mp4 from another
# folder, over a previous video and sheet, and stops it by HOW once the
# capture runs.  The recording runs as a job of its own (a process group, as
# from a terminal), so that SIGINT is not ignored.
interrupt() {
    local how=$1 here=$work/record-$1 pid started left deadline
    mkdir -p "$here/clips"
    echo "previous video" >"$here/clips/demo.mp4"
    echo "previous sheet" >"$here/clips/demo.png"
    set -m
    (cd "$here" && exec "$repo/scripts/record" --native clips/demo.mp4 >"$here/log" 2>&1) &
    pid=$!
    set +m
    # Building and writing the media tree come first.
    deadline=$((SECONDS + 120))
    while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$pid" 2>/dev/null; do
        vx_descendants "$pid" | xargs -r -n 50 ps -o comm= -p 2>/dev/null | grep -qx vessamorix-capt \
            && compgen -G "$here/clips/.*partial-*" >/dev/null && break
        sleep 0.2
    done
    compgen -G "$here/clips/.*partial-*" >/dev/null \
        || fail "$how: no temporary video beside clips/demo.mp4 while recording: $(tail -c 300 "$here/log")"
    sleep 2
    # shellcheck disable=SC2207
    started=($(vx_descendants "$pid"))
    case $how in
    ctrl-c) kill -INT -- "-$pid" ;;
    sigterm) kill -TERM "$pid" ;;
    esac
    deadline=$((SECONDS + 10))
    while [ "$SECONDS" -lt "$deadline" ] && [ -n "$(vx_alive "$pid" "${started[@]}")" ]; do sleep 0.2; done
    left=$(vx_alive "$pid" "${started[@]}")
    if [ -n "$left" ]; then
        fail "$how: still running after 10 s: $(ps -o comm= -p "$(echo $left | tr ' ' ,)" | tr '\n' ' ')"
        kill -KILL $left 2>/dev/null
    fi
    wait "$pid"
    rc=$?
    [ "$rc" -ne 0 ] || fail "$how: the recording exited with 0"
    [ "$(cat "$here/clips/demo.mp4")" = "previous video" ] && [ "$(cat "$here/clips/demo.png")" = "previous sheet" ] \
        || fail "$how: the previous video or sheet was changed"
    [ "$(ls -A "$here/clips" | tr '\n' ' ')" = "demo.mp4 demo.png " ] \
        || fail "$how: clips/ holds $(ls -A "$here/clips" | tr '\n' ' ')"
    grep -q "stopped by SIG" "$here/log" || fail "$how: the script did not say it was stopped: $(tail -c 300 "$here/log")"
}

declare -A help
check_usage
check_compare_folders
interrupt ctrl-c
interrupt sigterm
[ "$failures" -eq 0 ] || { echo "scripts: $failures failures" >&2; exit 1; }
echo "scripts: usage and refusals of 8 scripts, compare-frames' folders, and two interrupted recordings pass"
