# No to the question: "It wasn't me!!!", then "Error creating window", and the
# program ends without running the loop.
source "$(dirname "$0")/drive.sh"
question=$(wait_window "DAMM!!!")
sleep 1  # a box takes keys only once it is up and focused
focus "$question"
press n
info=$(wait_window "DAMM!!!")
[ "$info" != "$question" ] || sleep 1
xdotool search --name "^DAMM!!!\$" >/dev/null || fail "the second box is missing"
press Return
error=$(wait_window "KA_ERR_INITFAILED")
focus "$error"
press Return
