vs.1.1
// relative constant addressing and the scalar units
def c95, 1.0e0, -0.5, .25, 2.
mov a0.x, v1.x
m4x4 oPos, v0, c[a0.x + 4]
m3x3 r0.xyz, v3, c[a0.x]
dp4 oFog.x, v0, c12
expp r1, v2.x
logp r1.w, r1.x
lit oD1, r1
mov r0.w, c95.x
dst r2, r1, r0
frc r3.xy, v2
sge r4, v2, c95.yyyy
slt r5, -v2.wzyx, c95
max oPts.x, r4.w, c95.z
mov oT7, r5
mov oD0.w, c95.x
