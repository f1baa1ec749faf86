# The display options: the player comes up without a question box (no mode
# change is asked for), its window has the client size and place given by
# VX_PLAYER_WINDOW ("W H", or "W H centred" for a window in the middle of the
# screen, else at the origin), it draws pictures and Escape ends the demo.
source "$(dirname "$0")/drive.sh"
window=$(wait_window "Vessamorix Demo (v0.02)")
sleep 2
xdotool search --name "^DAMM!!!\$" >/dev/null && fail "a display-mode question was asked"
read -r want_w want_h place <<<"$VX_PLAYER_WINDOW"
# Without a window manager Wine's X window is the client area.
read -r x y w h < <(geometry "$window")
[ "${w}x$h" = "${want_w}x$want_h" ] || fail "client area ${w}x$h, expected ${want_w}x$want_h"
read -r screen_w screen_h < <(xwininfo -root | awk '/Width:/{w=$NF} /Height:/{h=$NF} END{print w, h}')
if [ "${place:-}" = centred ]; then
    offset=$(( x + w / 2 - screen_w / 2 ))
    [ "${offset#-}" -le 4 ] || fail "client area at x=$x is not centred (off by $offset)"
else
    [ "$x $y" = "0 0" ] || fail "window at $x,$y, expected the origin"
fi
# Loading takes a while on a busy machine: the first pictures may come late.
colours=0
for _ in $(seq 40); do
    colours=$(distinct_colours)
    [ "$colours" -ge 16 ] && break
    sleep 0.5
done
[ "$colours" -ge 16 ] || fail "the screen shows only $colours colours: nothing is drawn"
focus "$window"
hold_until_renamed "$window" Escape
