#!/usr/bin/env bash
# Plays the real player under Wine with a driver script beside it, then checks
# the exit code and the start-up log (which must hold Windows line ends).
#
#   run-player.sh PLAYER.exe DRIVER.sh EXPECTED_RC EXPECTED.log [DESKTOP [MISSING]]
#
# DESKTOP is the size of a Wine virtual desktop, or "plain" for none.  The
# player runs from a copy of its folder and media, so that tests at once do
# not share a log file; MISSING names a media file (e.g. xModels/stage1.tdm)
# to leave out of that copy.
# VX_PLAYER_LAUNCHER=CMD.EXE starts the player through that cmd.exe, from its
# own folder (Windows' system folder), as a shortcut or a command prompt
# elsewhere would; the log must still land beside the player.
# VX_PLAYER_ARGS are the player's arguments, split at spaces.
set -uo pipefail
player=$1 driver=$2 expected_rc=$3 expected_log=$4 desktop=${5:-plain} missing=${6:-}
[ "$desktop" = plain ] && desktop=
here=$(cd "$(dirname "$0")" && pwd)

copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
dist=$(dirname "$(dirname "$player")")
cp -r "$(dirname "$player")" "$copy/bin"
cp -r "$dist/xMedia" "$copy/xMedia"
[ -z "$missing" ] || rm "$copy/xMedia/$missing"
player=$copy/bin/$(basename "$player")
log=$(dirname "$player")/Vessamorix.log
rm -f "$log"

read -r -a arguments <<<"${VX_PLAYER_ARGS:-}"
launch=("$player" "${arguments[@]}")
if [ -n "${VX_PLAYER_LAUNCHER:-}" ]; then
    [ -f "$VX_PLAYER_LAUNCHER" ] || { echo "no $VX_PLAYER_LAUNCHER: the Wine prefix is made by the first Wine run"; exit 1; }
    launch=("$VX_PLAYER_LAUNCHER" /c "Z:$player" "${arguments[@]}")
fi
VX_WINE_DESKTOP=$desktop VX_WINE_TIMEOUT=${VX_PLAYER_TIMEOUT:-150} VX_WINE_DRIVER="bash $here/$driver" \
    "$here/../../../scripts/wine-run" "${launch[@]}"
rc=$?
if [ "$rc" -ne "$expected_rc" ]; then
    echo "player exited with $rc, expected $expected_rc"
    # What the player got to before it ended: the copy goes with this script.
    [ ! -f "$log" ] || { echo "its log:"; tr -d '\r' <"$log"; }
    exit 1
fi

[ -f "$log" ] || { echo "no log written"; exit 1; }
if grep -q $'[^\r]$' "$log" || [ -n "$(tail -c 1 "$log" | tr -d '\n')" ]; then
    echo "log lines must end in CR LF"; od -c "$log" | head; exit 1
fi
if ! diff <(tr -d '\r' <"$log") "$here/$expected_log"; then
    echo "log differs from $expected_log"; exit 1
fi
echo "player test passed: exit $rc, log as expected"
