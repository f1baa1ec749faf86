; Screen-space pictures: position through c4-c7, texture coordinates as
; they are, white vertex colour.
vs.1.1
def c20, 1.0, 1.0, 1.0, 1.0
m4x4 oPos, v0, c4
mov oT0.xy, v7
mov oD0, c20
