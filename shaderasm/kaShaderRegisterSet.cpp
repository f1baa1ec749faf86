#include "kaShaderRegisterSet.h"

#include <cctype>

namespace {

using K = kaRegisterKind;

struct NamedFile {
    const char* name;  // lower-case spelling in shader text
    const char* display;
    K kind;
    bool indexed;
};

const NamedFile kNames[] = {
    {"r", "r", K::Temp, true},        {"v", "v", K::Input, true},
    {"c", "c", K::Constant, true},    {"a", "a", K::Address, true},
    {"t", "t", K::Texture, true},     {"opos", "oPos", K::Position, false},
    {"ofog", "oFog", K::Fog, false},  {"opts", "oPts", K::PointSize, false},
    {"od", "oD", K::Color, true},     {"ot", "oT", K::TexCoordOut, true},
};

const NamedFile* FindFile(K kind) {
    for (const NamedFile& file : kNames) {
        if (file.kind == kind) return &file;
    }
    return nullptr;
}

}  // namespace

kaShaderRegisterSet::kaShaderRegisterSet(const kaShaderVersion& version) {
    if (version.IsPixel()) {
        SetPixelFiles(version);
    } else {
        SetVertexFiles(version);
    }
}

void kaShaderRegisterSet::Set(K kind, uint32_t count, uint32_t readPorts, bool readable,
                              bool writable) {
    mFiles[static_cast<size_t>(kind)] = kaRegisterFileInfo{count, readPorts, readable, writable};
}

void kaShaderRegisterSet::SetVertexFiles(const kaShaderVersion& version) {
    Set(K::Temp, 12, 3, true, true);
    Set(K::Input, 16, 1, true, false);
    Set(K::Constant, 96, 1, true, false);
    // a0 arrived with vs.1.1; it is read only through c[a0.x + n].
    Set(K::Address, version.minor >= 1 ? 1 : 0, 1, false, true);
    Set(K::Position, 1, 0, false, true);
    Set(K::Fog, 1, 0, false, true);
    Set(K::PointSize, 1, 0, false, true);
    Set(K::Color, 2, 0, false, true);
    Set(K::TexCoordOut, 8, 0, false, true);
}

void kaShaderRegisterSet::SetPixelFiles(const kaShaderVersion& version) {
    static const uint32_t kTexturePorts[5] = {1, 2, 3, 3, 1};
    const uint32_t minor = version.minor;
    const bool ps14 = version.IsPs14();
    Set(K::Constant, 8, 2, true, false);
    Set(K::Temp, ps14 ? 6 : 2, ps14 ? 3 : 2, true, true);
    Set(K::Texture, ps14 ? 6 : 4, kTexturePorts[minor], true, !ps14);
    Set(K::Input, 2, minor == 0 ? 1 : 2, true, false);
}

bool kaShaderRegisterSet::ParseName(const std::string& name, K& kind, uint32_t& index,
                                    bool& hasIndex) {
    size_t letters = 0;
    while (letters < name.size() && std::isalpha(static_cast<unsigned char>(name[letters]))) {
        ++letters;
    }
    const std::string prefix = name.substr(0, letters);
    const std::string digits = name.substr(letters);
    if (digits.size() > 4) return false;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    for (const NamedFile& file : kNames) {
        if (prefix != file.name || (!file.indexed && !digits.empty())) continue;
        kind = file.kind;
        hasIndex = !digits.empty();
        index = hasIndex ? static_cast<uint32_t>(std::stoul(digits)) : 0;
        return true;
    }
    return false;
}

bool kaShaderRegisterSet::IsIndexed(K kind) {
    const NamedFile* file = FindFile(kind);
    return file != nullptr && file->indexed;
}

std::string kaShaderRegisterSet::FileName(K kind) {
    const NamedFile* file = FindFile(kind);
    return file != nullptr ? file->display : "?";
}

std::string kaShaderRegisterSet::Name(const kaRegisterRef& reg) {
    const NamedFile* file = FindFile(reg.kind);
    if (file == nullptr) return "?";
    if (reg.relative) return std::string(file->display) + "[a0.x + " + std::to_string(reg.index) + "]";
    if (!file->indexed) return file->display;
    return file->display + std::to_string(reg.index);
}

std::string kaShaderRegisterSet::ComponentText(uint32_t mask, bool pixel) {
    const char* letters = pixel ? "rgba" : "xyzw";
    std::string text = ".";
    for (int c = 0; c < 4; ++c) {
        if (mask & (1u << c)) text += letters[c];
    }
    return text;
}
