#pragma once

#include "kaRenderApi.h"

// A device vertex buffer with immediate-mode writers.  After Lock, each
// writer stores one component of the next vertex for that component and
// advances that component's own cursor.  The order of the virtual operations
// is part of the binary interface between the player and the plug-in.
class KA_RENDER_API kaVertexBuffer {
public:
    kaVertexBuffer();
    kaVertexBuffer(const kaVertexBuffer&);
    kaVertexBuffer& operator=(const kaVertexBuffer&);

    virtual int Release() = 0;
    virtual void Vertex3f(float x, float y, float z) = 0;
    virtual void Normal3f(float x, float y, float z) = 0;
    virtual void PointSize1f(float size) = 0;
    virtual void Weight1f(float w0) = 0;
    virtual void Weight2f(float w0, float w1) = 0;
    virtual void Weight3f(float w0, float w1, float w2) = 0;
    virtual void Weight4f(float w0, float w1, float w2, float w3) = 0;
    virtual void MatrixIndex1ub(unsigned char i0) = 0;
    virtual void MatrixIndex2ub(unsigned char i0, unsigned char i1) = 0;
    virtual void MatrixIndex3ub(unsigned char i0, unsigned char i1, unsigned char i2) = 0;
    virtual void MatrixIndex4ub(unsigned char i0, unsigned char i1, unsigned char i2,
                                unsigned char i3) = 0;
    virtual void Diffuse3f(float r, float g, float b) = 0;
    virtual void Diffuse4f(float r, float g, float b, float a) = 0;
    virtual void Diffuse3ub(unsigned char r, unsigned char g, unsigned char b) = 0;
    virtual void Diffuse4ub(unsigned char r, unsigned char g, unsigned char b,
                            unsigned char a) = 0;
    virtual void Specular3f(float r, float g, float b) = 0;
    virtual void Specular4f(float r, float g, float b, float a) = 0;
    virtual void Specular3ub(unsigned char r, unsigned char g, unsigned char b) = 0;
    virtual void Specular4ub(unsigned char r, unsigned char g, unsigned char b,
                             unsigned char a) = 0;
    virtual void TexCoord1f(unsigned set, float s) = 0;
    virtual void TexCoord2f(unsigned set, float s, float t) = 0;
    virtual void TexCoord3f(unsigned set, float s, float t, float r) = 0;
    virtual void TexCoord4f(unsigned set, float s, float t, float r, float q) = 0;
    virtual int Lock(unsigned firstVertex, unsigned vertexCount, unsigned lockFlags) = 0;
    virtual int Unlock() = 0;
    virtual unsigned getVertexFormat() = 0;
    virtual unsigned getVertexSize() = 0;

protected:
    ~kaVertexBuffer();  // destroyed only through Release
};
