#pragma once

#include <cstdint>
#include <string>

#include "kaModelSpec.h"

// Writes the whole media tree ("xImages", "xModels", "xAnimations",
// "xCinematics", "xShaders", "xMusics") below one folder.
class kaMediaGenerator {
public:
    kaMediaGenerator(std::string outputDir, std::string shaderSourceDir);

    // False after the first failure, which error() then describes.
    bool Run();

    const std::string& error() const { return mError; }
    int fileCount() const { return mFiles; }
    uint64_t byteCount() const { return mBytes; }

private:
    bool Save(const std::string& relative, const std::string& bytes);
    bool Models();
    bool Clips();
    bool Paths();
    bool Pictures();
    bool Shaders();
    bool Music();

    std::string mOutput;
    std::string mShaderSource;
    std::string mError;
    kaVec3 mCharacterCentre{0, 0, 0};
    int mFiles = 0;
    uint64_t mBytes = 0;
};
