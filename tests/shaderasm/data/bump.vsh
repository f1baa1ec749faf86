; Bump-mapping vertex shader: position, colour-map coordinates and the
; light vector in tangent space.
vs.1.1
def c20, 0.5, 0.5, 0.5, 1.0
m4x4 oPos, v0, c4
mov oT0.xy, v7
add r0, c16, -v0
dp3 r1.x, r0, v9
dp3 r1.y, r0, v10
dp3 r1.z, r0, v8
mov oT1.xyz, r1
