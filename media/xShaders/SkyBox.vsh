; Sky box: the box is carried along with the eye (c12 = eye minus the
; box's centre), so it always surrounds the camera.  v0 position, v7
; texture coordinates; c4-c7 transposed world x view x projection.
vs.1.1
mov r0, v0
add r0.xyz, r0, c12
m4x4 oPos, r0, c4
mov oT0.xy, v7
