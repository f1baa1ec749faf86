# Helpers for the scripts that drive the player in its display (xdotool,
# ImageMagick).  Each failed expectation prints why and exits non-zero.

# Reports a failed expectation and ends the driver (also from inside a
# command substitution, by ending the whole driver process group's leader).
fail() { echo "driver: $*" >&2; kill -TERM $$ 2>/dev/null; exit 1; }

# Waits for a window with exactly this title and prints its X id.
wait_window() {
    local title seconds=${2:-60} id=""
    title=$(printf '%s' "$1" | sed 's/[][().*+?^$|\\]/\\&/g')
    for _ in $(seq $((seconds * 4))); do
        id=$(xdotool search --name "^${title}\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.25
    done
    fail "no window titled '$title' after ${seconds}s"
}

# Prints "X Y W H" of a window.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
        /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'
}

# Prints the colour of one screen pixel as "R,G,B" (0 to 255).
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | head -n 1
}

# Number of distinct colours on a small copy of the screen: a drawn picture
# has many, an empty or single-coloured screen few.
distinct_colours() {
    import -window root -resize 80x60 -depth 8 -format '%k' info:- 2>/dev/null
}

# Waits until the screen shows a drawn picture (16 colours or more on a small
# copy), at most SECONDS: start-up loads the media after the window is up and
# before the first frame, which takes longer on a busy machine.
wait_drawn() {
    local deadline=$((SECONDS + $1)) colours
    while :; do
        colours=$(distinct_colours)
        [ "$colours" -ge 16 ] && return 0
        [ "$SECONDS" -lt "$deadline" ] || fail "the screen shows only $colours colours after $1 s: nothing is drawn"
        sleep 0.5
    done
}

# Presses keys in the window that has the keyboard focus.
press() { xdotool key --clearmodifiers "$@"; }

# Focuses a window (Wine gives DirectInput to the foreground window).
focus() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"; }

# Answers a message box with a key: focuses it and presses the key until the
# box is gone, every 3 s, for at most 30 s.  A box takes keys only once it is
# up and focused, and on a busy machine a press sent a second after it
# appeared was lost now and then, leaving the player waiting for its answer.
answer() {
    local box=$1 key=$2
    for _ in $(seq 10); do
        focus "$box" 2>/dev/null
        press "$key"
        for _ in $(seq 12); do
            xdotool search --name '.' 2>/dev/null | grep -qx "$box" || return 0
            sleep 0.25
        done
    done
    fail "$key pressed for 30 s: the box is still there"
}

# Holds a key down until the window's title changes (shutdown renames it),
# and fails when twenty seconds pass without.  The player polls the keyboard
# once a frame and sees only whether the key is down then; a frame can take
# seconds on a busy machine (a large multisampled picture on a software
# renderer), and a press let go before the next poll is lost, so the key
# stays down throughout.  Every 2.5 s the window is focused again and the
# press repeated, as a held key repeats, for a press the window did not get
# (Wine may still be handing it the focus).
hold_until_renamed() {
    local window=$1 key=$2 title
    title=$(xdotool getwindowname "$window")
    for _ in $(seq 8); do
        focus "$window"
        xdotool keydown "$key"
        for _ in $(seq 10); do
            if [ "$(xdotool getwindowname "$window" 2>/dev/null)" != "$title" ]; then
                xdotool keyup "$key"
                return 0
            fi
            sleep 0.25
        done
    done
    xdotool keyup "$key"
    fail "$key held for 20 s: the window is still titled '$title'"
}
