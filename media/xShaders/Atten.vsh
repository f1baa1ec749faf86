; Point-light attenuation: the vertex's offset from the light (c16), scaled
; by c20 into the coordinates of a 2D falloff map (x, y) and a 1D falloff
; map (z).  v0 position; c4-c7 transposed world x view x projection, c8-c11
; transposed world.
vs.1.1
def c20, 0.0001, 0.0001, 0.0001, 0.5
m4x4 oPos, v0, c4
m4x3 r0, v0, c8
add r0.xyz, r0, -c16
mad oT0.xy, r0, c20, c20.w
mad oT1.x, r0.z, c20.z, c20.w
