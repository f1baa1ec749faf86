# Left alone, the demo plays to the end of its music clock and then shows the
# two closing pictures: the screen shows drawn pictures all along.  A white
# flash can fill the screen for a moment, so each point takes the best of a
# few looks.
source "$(dirname "$0")/drive.sh"
wait_window "Vessamorix Demo (v0.02)" >/dev/null
start=$(date +%s)
for at in 15 45 75 105; do
    while [ $(( $(date +%s) - start )) -lt "$at" ]; do sleep 0.5; done
    best=0
    for _ in 1 2 3 4 5; do
        colours=$(distinct_colours)
        [ "$colours" -gt "$best" ] && best=$colours
        [ "$best" -ge 16 ] && break
        sleep 0.7
    done
    [ "$best" -ge 16 ] || fail "only $best colours on the screen ${at}s in"
done
