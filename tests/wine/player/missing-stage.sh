# Without stage1.tdm the model loader reports the file twice ("Error": the
# reading warning, then the load error), start-up stops with its own box
# ("KA_ERR_READFAIL"), the closing pictures are still shown (the overlay and
# the pictures exist) and the program ends with 0.  Plain Xvfb: the display
# mode is refused and the windowed fallback is taken first.
source "$(dirname "$0")/drive.sh"
dismiss() {
    local box
    box=$(wait_window "$1" 90)
    answer "$box" Return
}
dismiss "DAMM!!!"
dismiss "Error"
dismiss "Error"
dismiss "KA_ERR_READFAIL"
sleep 3
colours=$(distinct_colours)
[ "$colours" -ge 16 ] || fail "no closing picture after the failed start ($colours colours)"
