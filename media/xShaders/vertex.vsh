; Per-pixel bump mapping, vertex part.
; Inputs: v0 position, v7 texture coordinates, v8 normal, v9 tangent,
; v10 binormal.  Constants: c4-c7 transposed world x view x projection,
; c8-c11 transposed world, c16 light position, c17 eye position.
; Outputs: oT0 and oT3 the normal and colour map coordinates, oT1 the light
; vector and oT2 the half vector, both in tangent space, for the
; normalization cube map to turn into unit vectors.
vs.1.1
m4x4 oPos, v0, c4           ; clip-space position
m4x3 r9, v0, c8             ; world position
add r0.xyz, c16, -r9        ; towards the light
dp3 r1.x, r0, v9
dp3 r1.y, r0, v10
dp3 r1.z, r0, v8
mov oT1.xyz, r1             ; light vector in tangent space
add r2.xyz, c17, -r9        ; towards the eye
dp3 r2.w, r2, r2
rsq r2.w, r2.w
mul r2.xyz, r2, r2.w
dp3 r3.w, r0, r0
rsq r3.w, r3.w
mad r4.xyz, r0, r3.w, r2    ; half vector (unit light + unit eye)
dp3 r5.x, r4, v9
dp3 r5.y, r4, v10
dp3 r5.z, r4, v8
mov oT2.xyz, r5             ; half vector in tangent space
mov oT0.xy, v7
mov oT3.xy, v7
