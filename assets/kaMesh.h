#pragma once

#include <cstdint>
#include <string>
#include <vector>

class kaVertexBuffer;
struct kaTDMMesh;

struct kaTangentFrame {
    float tangent[3];
    float binormal[3];
    float normal[3];
};

// One drawable mesh of a model: plain arrays of the file's data, a tangent
// frame per vertex, and a dynamic vertex buffer with one vertex per
// triangle corner (no index buffer).
class kaMesh {
public:
    // Position, texture set 0 (u, v) and sets 1 to 3 (normal, tangent,
    // binormal, written by the renderer): 56 bytes.
    static constexpr unsigned kVertexFormat = 0x540402;
    static constexpr unsigned kBufferUsage = 0x208;  // dynamic, write-only

    kaMesh();
    ~kaMesh();
    kaMesh(const kaMesh&) = delete;
    kaMesh& operator=(const kaMesh&) = delete;

    // Copies a TDM mesh (its indices already checked by the reader) and
    // creates and fills the vertex buffer; a refused buffer is reported and
    // the mesh goes on without one.
    void Create(const kaTDMMesh& record);
    // 0, or 11 when the device refuses the buffer.
    int CreateBuffer();
    // Writes position and texture set 0 of every corner: 0, or the lock's
    // code when the buffer cannot be locked (nothing is written then).
    int FillBuffer();
    void ComputeTangentFrames();
    void Release();

    std::vector<uint32_t> faces;       // 3 vertex indices per face
    std::vector<uint32_t> faceCoords;  // 3 coordinate indices per face, when coordCount > 0
    uint32_t vertexCount;
    uint32_t coordCount;
    uint32_t faceCount;
    uint32_t material;
    std::vector<float> positions;  // 3 per vertex
    std::vector<float> coords;     // u, v per coordinate
    std::vector<float> normals;    // 3 per vertex
    std::vector<kaTangentFrame> frames;  // per vertex, when coordCount > 0
    std::string name;
    int refresh;
    kaVertexBuffer* buffer;

private:
    // For each vertex the first face that uses it, else the last face.
    std::vector<uint32_t> ChooseFaces() const;
    kaTangentFrame FrameFor(uint32_t vertex, const uint32_t* corners,
                            const uint32_t* cornerCoords) const;
};
