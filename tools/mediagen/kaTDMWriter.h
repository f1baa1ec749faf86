#pragma once

#include <string>

#include "kaModelSpec.h"

// Writes a model as a TDM file (version 2.2): materials, meshes with their
// skin weights, bones in parent-first order.
class kaTDMWriter {
public:
    // The file's bytes; an empty string when the model cannot be stored
    // (a name longer than 255 bytes, too many records, a bone whose parent
    // does not come before it, an index outside its array).
    static std::string Encode(const kaModelSpec& model);

private:
    static bool Check(const kaModelSpec& model);
    static void WriteMaterial(class kaBinaryWriter& out, const kaMaterialSpec& material);
    static void WriteMesh(class kaBinaryWriter& out, const kaMeshSpec& mesh);
    static void WriteVertex(class kaBinaryWriter& out, const kaVertexSpec& vertex);
};
