#pragma once

#include <cstdint>
#include <string>

#include "kaShaderTypes.h"

struct kaRegisterFileInfo {
    uint32_t count = 0;     // 0: the file does not exist in this version
    uint32_t readPorts = 0; // different registers of the file one instruction may read
    bool readable = false;
    bool writable = false;
};

// The register files of one shader version: their sizes, read-port limits
// and access, and the names by which shaders write them.
class kaShaderRegisterSet {
public:
    explicit kaShaderRegisterSet(const kaShaderVersion& version);

    const kaRegisterFileInfo& Info(kaRegisterKind kind) const {
        return mFiles[static_cast<size_t>(kind)];
    }

    // Parses a lower-case register name ("r0", "ot3", "opos", "c").  A name
    // without digits (only "c" makes sense) leaves hasIndex false.
    static bool ParseName(const std::string& name, kaRegisterKind& kind, uint32_t& index,
                          bool& hasIndex);
    static std::string Name(const kaRegisterRef& reg);
    // False for the single registers oPos, oFog and oPts.
    static bool IsIndexed(kaRegisterKind kind);
    // Name of a register file ("r", "oT") for messages about the whole file.
    static std::string FileName(kaRegisterKind kind);
    // ".xy" or ".rg": components of a mask as letters of the shader's kind.
    static std::string ComponentText(uint32_t mask, bool pixel);

private:
    void Set(kaRegisterKind kind, uint32_t count, uint32_t readPorts, bool readable, bool writable);
    void SetVertexFiles(const kaShaderVersion& version);
    void SetPixelFiles(const kaShaderVersion& version);

    kaRegisterFileInfo mFiles[static_cast<size_t>(kaRegisterKind::Count)];
};
