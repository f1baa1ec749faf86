#include "kaMediaGenerator.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "kaCharacterBuilder.h"
#include "kaClipLibrary.h"
#include "kaMusicScore.h"
#include "kaPathLibrary.h"
#include "kaPictureWriter.h"
#include "kaStageLibrary.h"
#include "kaTDAWriter.h"
#include "kaTDMWriter.h"
#include "kaTextPainter.h"
#include "kaTextureLibrary.h"

namespace fs = std::filesystem;

namespace {

constexpr int kJpegQuality = 88;

// The centre of a model's bounding box, as the player computes it.
kaVec3 BoxCentre(const kaModelSpec& model) {
    kaVec3 lo{65535, 65535, 65535}, hi{-65535, -65535, -65535};
    for (const kaMeshSpec& mesh : model.meshes) {
        for (const kaVertexSpec& v : mesh.vertices) {
            lo = {std::min(lo.x, v.position.x), std::min(lo.y, v.position.y), std::min(lo.z, v.position.z)};
            hi = {std::max(hi.x, v.position.x), std::max(hi.y, v.position.y), std::max(hi.z, v.position.z)};
        }
    }
    return (lo + hi) * 0.5f;
}

std::string EncodePicture(const std::string& file, const kaPicture& picture) {
    const std::string extension = file.substr(file.rfind('.') + 1);
    if (extension == "png") return kaPictureWriter::Png(picture);
    if (extension == "jpg") return kaPictureWriter::Jpeg(picture, kJpegQuality);
    if (extension == "tga") return kaPictureWriter::Tga(picture);
    if (extension == "bmp") return kaPictureWriter::Bmp(picture);
    if (extension == "dds") return kaPictureWriter::Dds(picture);
    return {};
}

}  // namespace

kaMediaGenerator::kaMediaGenerator(std::string outputDir, std::string shaderSourceDir)
    : mOutput(std::move(outputDir)), mShaderSource(std::move(shaderSourceDir)) {}

bool kaMediaGenerator::Run() {
    return Models() && Clips() && Paths() && Pictures() && Shaders() && Music();
}

bool kaMediaGenerator::Save(const std::string& relative, const std::string& bytes) {
    if (bytes.empty()) {
        mError = "could not encode " + relative;
        return false;
    }
    const fs::path path = fs::path(mOutput) / relative;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) {
        mError = "could not write " + path.string();
        return false;
    }
    ++mFiles;
    mBytes += bytes.size();
    return true;
}

bool kaMediaGenerator::Models() {
    const kaModelSpec character = kaCharacterBuilder::Build();
    mCharacterCentre = BoxCentre(character);
    if (!Save("xModels/Garrulon.tdm", kaTDMWriter::Encode(character))) return false;
    for (const kaStageLibrary::Named& stage : kaStageLibrary::Build(mCharacterCentre)) {
        if (!Save(std::string("xModels/") + stage.file, kaTDMWriter::Encode(stage.model))) return false;
    }
    return true;
}

bool kaMediaGenerator::Clips() {
    for (const kaClipLibrary::Design& design : kaClipLibrary::Designs()) {
        if (!Save(std::string("xAnimations/") + design.file, kaTDAWriter::Encode(kaClipLibrary::Build(design))))
            return false;
    }
    return true;
}

bool kaMediaGenerator::Paths() {
    for (const kaPathLibrary::Path& path : kaPathLibrary::Build(mCharacterCentre)) {
        if (!Save("xCinematics/" + path.file, kaPathLibrary::Text(path))) return false;
    }
    return true;
}

bool kaMediaGenerator::Pictures() {
    kaTextPainter text;
    if (!text.Open(kaTextureLibrary::FontPath())) {
        mError = std::string("cannot open the font ") + kaTextureLibrary::FontPath();
        return false;
    }
    for (const kaTextureLibrary::Entry& entry : kaTextureLibrary::Entries()) {
        if (!Save(std::string("xImages/") + entry.file, EncodePicture(entry.file, entry.paint(text)))) return false;
    }
    return true;
}

bool kaMediaGenerator::Shaders() {
    std::vector<fs::path> sources;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(mShaderSource, ec)) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".vsh" || extension == ".psh") sources.push_back(entry.path());
    }
    if (ec || sources.empty()) {
        mError = "no shader sources in " + mShaderSource;
        return false;
    }
    std::sort(sources.begin(), sources.end());
    for (const fs::path& source : sources) {
        std::ifstream in(source, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (!Save("xShaders/" + source.filename().string(), text.str())) return false;
    }
    return true;
}

bool kaMediaGenerator::Music() { return Save("xMusics/lost_in_space_remix.ogg", kaMusicScore::Render()); }
