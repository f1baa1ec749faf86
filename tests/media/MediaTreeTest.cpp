// The generated media tree read back through the player's own readers: every
// picture becomes a texture, every model loads with its textures, every
// shader assembles (and disassembles back to the same tokens), every path
// parses, and nothing shows a message box.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "kaCamera.h"
#include "kaDeviceGlobal.h"
#include "kaImage.h"
#include "kaMediaFolder.h"
#include "kaMeshModel.h"
#include "kaRecordingDevice.h"
#include "kaRecordingMessageBoxes.h"
#include "ShaderAsmTestSupport.h"
#include "kaTDMReader.h"
#include "kaTexture.h"

namespace fs = std::filesystem;

namespace {

class MediaTreeTest : public ::testing::Test {
protected:
    MediaTreeTest() { gDevice = &device; }
    ~MediaTreeTest() override { gDevice = nullptr; }

    void ExpectNoBoxes() const {
        for (const auto& box : boxes.boxes()) ADD_FAILURE() << box.caption << ": " << box.text;
    }

    kaMediaFolder folder;
    kaRecordingDevice device;
    kaRecordingMessageBoxes boxes;
};

std::string Head(const std::string& path, size_t count) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(count, '\0');
    in.read(&bytes[0], std::streamsize(count));
    bytes.resize(size_t(in.gcount()));
    return bytes;
}

// The container a picture file is stored in, from its first bytes.
std::string Container(const std::string& path) {
    const std::string head = Head(path, 88);
    if (head.compare(0, 2, "BM") == 0) return "bmp";
    if (head.compare(0, 3, std::string("\0\0\2", 3)) == 0) return "tga";
    if (head.compare(0, 4, "\x89PNG") == 0) return "png";
    if (head.size() >= 10 && head.compare(6, 4, "JFIF") == 0) return "jpeg";
    if (head.size() >= 88 && head.compare(0, 4, "DDS ") == 0) return "dds " + head.substr(84, 4);
    return "unknown";
}

bool PowerOfTwo(uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

TEST_F(MediaTreeTest, EveryPictureIsATextureInEveryFormatThePlayerDecodes) {
    std::set<std::string> containers;
    int pictures = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(kaMediaFolder::file("xImages"))) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        kaImage image;
        ASSERT_EQ(image.Load(entry.path().c_str()), 0);
        uint32_t width = 0, height = 0;
        image.getLevelDesc(0, nullptr, &width, &height);
        EXPECT_TRUE(PowerOfTwo(width) && PowerOfTwo(height)) << width << " x " << height;
        const std::string container = Container(entry.path().string());
        containers.insert(container);
        if (container.compare(0, 3, "dds") == 0) {
            uint32_t full = 1;
            while ((width >> full) > 0 || (height >> full) > 0) ++full;
            EXPECT_EQ(image.getLevelCount(), full) << "a DDS carries its whole mip chain";
        }
        kaTexture texture;
        EXPECT_EQ(texture.Load(name.c_str()), 0);
        EXPECT_NE(texture.texture, nullptr);
        ++pictures;
    }
    EXPECT_EQ(containers, (std::set<std::string>{"bmp", "tga", "png", "jpeg", "dds DXT1", "dds DXT5"}));
    EXPECT_GE(pictures, 30);
    ExpectNoBoxes();
}

TEST_F(MediaTreeTest, OverlayPicturesCarryAlpha) {
    for (const char* name : {"garrulon.png", "orbelmark.png", "flare06.tga"}) {
        SCOPED_TRACE(name);
        kaImage image;
        ASSERT_EQ(image.Load(kaMediaFolder::file(std::string("xImages/") + name).c_str()), 0);
        ASSERT_EQ(image.getFormat(), KA_IMG_R8G8B8A8);
        const kaImageLevel& level = image.getLevel(0);
        int clear = 0, solid = 0;
        for (uint32_t i = 3; i < level.size; i += 4) {
            clear += level.data[i] < 16 ? 1 : 0;
            solid += level.data[i] > 240 ? 1 : 0;
        }
        EXPECT_GT(clear, 0);
        EXPECT_GT(solid, 0);
    }
}

TEST_F(MediaTreeTest, EveryModelLoadsWithItsTexturesOnEveryMesh) {
    for (const char* name : {"Garrulon.tdm", "stage1.tdm", "stage2.tdm", "closeStage.tdm", "closeStage2.tdm",
                             "Final.tdm", "hoverboard.tdm", "skybox.tdm"}) {
        SCOPED_TRACE(name);
        kaMeshModel model;
        ASSERT_EQ(model.Load(name), 0);
        // The sky needs one colour map a face; everything drawn bump-mapped
        // needs exactly a colour map and a normal map.
        const uint32_t textures = std::string(name) == "skybox.tdm" ? 1u : 2u;
        for (const kaMesh& mesh : model.meshes) {
            EXPECT_GT(mesh.coordCount, 0u) << mesh.name;
            EXPECT_NE(mesh.buffer, nullptr) << mesh.name;
            const kaTextureList& material = model.materials[mesh.material];
            ASSERT_EQ(material.count, textures) << mesh.name;
            for (uint32_t t = 0; t < material.count; ++t) EXPECT_NE(material.textures[t].texture, nullptr);
        }
    }
    ExpectNoBoxes();
}

TEST_F(MediaTreeTest, CharacterStandsOnTheFloorWithASkinnedSkeleton) {
    kaTDMReader reader;
    ASSERT_TRUE(reader.Open(kaMediaFolder::file("xModels/Garrulon.tdm").c_str()));
    EXPECT_GE(reader.getBoneCount(), 15);
    int oneBone = 0, weighted = 0;
    for (uint16_t m = 0; m < reader.getMeshCount(); ++m) {
        for (const kaTDMVertex& v : reader.getMeshes()[m].vertices) {
            oneBone += v.skinKind == 1 ? 1 : 0;
            weighted += v.skinKind == 2 ? 1 : 0;
            EXPECT_TRUE(v.skinKind == 1 || v.skinKind == 2);
            float sum = 0;
            for (const kaTDMInfluence& influence : v.influences) sum += influence.weight;
            if (v.skinKind == 2) {
                EXPECT_NEAR(sum, 1.0f, 1e-5f);
            }
        }
    }
    EXPECT_GT(oneBone, 0);
    EXPECT_GT(weighted, 0);
    kaMeshModel model;
    ASSERT_EQ(model.Load("Garrulon.tdm"), 0);
    const float* lowest = model.corners[0];
    const float* highest = model.corners[6];
    EXPECT_FLOAT_EQ(lowest[2], 0.0f) << "feet at z = 0";
    EXPECT_NEAR(highest[2], 1800.0f, 1.0f) << "1.8 m tall";
    EXPECT_LT(highest[0] - lowest[0], 800.0f);
    EXPECT_LT(highest[1] - lowest[1], 500.0f);
}

TEST_F(MediaTreeTest, EveryShaderAssembles) {
    for (const char* name : {"vertex.vsh", "Atten.vsh", "SkyBox.vsh", "vertex2d.vsh", "DiffSpecCM.psh",
                             "DiffCM.psh", "Atten.psh", "SkyBox.psh", "Render2d.psh"}) {
        SCOPED_TRACE(name);
        std::ifstream in(kaMediaFolder::file(std::string("xShaders/") + name));
        std::ostringstream text;
        text << in.rdbuf();
        ASSERT_FALSE(text.str().empty());
        const kaShaderAssembly code = kaShaderAssembler::Assemble(text.str().data(), text.str().size(), name);
        ASSERT_TRUE(code.ok) << code.errors;
        ExpectRoundTrip(code);
        const bool vertex = std::string(name).find(".vsh") != std::string::npos;
        EXPECT_EQ(code.tokens.front(), vertex ? 0xFFFE0101u : 0xFFFF0101u);
    }
}

TEST_F(MediaTreeTest, EveryPathTheScenesLoadParses) {
    for (const char* name : {"cPath01.spl", "cPath02.spl", "cPath03.spl", "cPath04.spl", "cPath06.spl",
                             "cPath07.spl", "cPath09.spl", "cPath10.spl", "cPath12.spl", "cPath13.spl",
                             "cPath14.spl", "qxPath01.spl", "qxPath02.spl", "qxPath03.spl"}) {
        kaCamera camera;
        EXPECT_EQ(camera.LoadPath(name), 0) << name;
        EXPECT_GE(camera.path.count, 4) << name;
    }
    ExpectNoBoxes();
}

TEST_F(MediaTreeTest, TreeStaysSmall) {
    uintmax_t bytes = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(VX_MEDIA_ROOT "/xMedia")) {
        if (entry.is_regular_file()) bytes += entry.file_size();
    }
    EXPECT_LT(bytes, 6u * 1024 * 1024);
    std::printf("media tree: %ju bytes\n", bytes);
}

}  // namespace
