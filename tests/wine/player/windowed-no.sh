# No to the question: "It wasn't me!!!", then "Error creating window", and the
# program ends without running the loop.
source "$(dirname "$0")/drive.sh"
question=$(wait_window "DAMM!!!")
answer "$question" n
info=$(wait_window "DAMM!!!")
answer "$info" Return
error=$(wait_window "KA_ERR_INITFAILED")
answer "$error" Return
