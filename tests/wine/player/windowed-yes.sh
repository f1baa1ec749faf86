# Plain Xvfb refuses the display mode: the question box appears, Yes gives a
# centred window with an 800 x 600 client area, and closing it (Alt+F4) ends
# the demo.
source "$(dirname "$0")/drive.sh"
question=$(wait_window "DAMM!!!")
answer "$question" Return
window=$(wait_window "Vessamorix Demo (v0.02)")
sleep 2
# Without a window manager Wine's X window is the client area.
read -r x y w h < <(geometry "$window")
[ "${w}x$h" = "800x600" ] || fail "client area ${w}x$h, expected 800x600"
screen_w=$(xwininfo -root | awk '/Width:/{print $NF}')
offset=$(( x + w / 2 - screen_w / 2 ))
[ "${offset#-}" -le 4 ] || fail "client area at x=$x is not centred (off by $offset)"
focus "$window"
press alt+F4
