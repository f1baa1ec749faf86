# Inside a virtual desktop the mode change succeeds: the player's window is a
# popup covering the 800 x 600 screen, it draws pictures (not an empty
# screen), and Escape (read through DirectInput) ends the demo.
source "$(dirname "$0")/drive.sh"
window=$(wait_window "Vessamorix Demo (v0.02)")
sleep 2
read -r x y w h < <(geometry "$window")
[ "$x $y $w $h" = "0 0 800 600" ] || fail "window at $x,$y size ${w}x$h, expected a popup covering 800x600"
desktop=$(xdotool search --name "Wine desktop" | head -n 1)
read -r _ _ dw dh < <(geometry "$desktop")
[ "${dw}x$dh" = "800x600" ] || fail "display mode is ${dw}x$dh, expected 800x600"
wait_drawn 60
focus "$window"
hold_until_renamed "$window" Escape
