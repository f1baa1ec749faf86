#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "kaAnimClip.h"
#include "kaTDAReader.h"
#include "kaTDMReader.h"
#include "kaTempDir.h"
#include "kaTestModels.h"

namespace {

using namespace kaTestModels;

class TdmReaderTest : public ::testing::Test {
protected:
    // Opens the bytes as a file; a second reader given them in memory must
    // come to the same result.
    int Open(const std::string& bytes) {
        const int result = reader.Open(dir.write("m.tdm", bytes).c_str());
        kaTDMReader inMemory;
        EXPECT_EQ(inMemory.OpenMemory(bytes.data(), bytes.size()), result);
        EXPECT_EQ(inMemory.getError(), reader.getError());
        EXPECT_EQ(inMemory.getMaterialCount(), reader.getMaterialCount());
        EXPECT_EQ(inMemory.getMeshCount(), reader.getMeshCount());
        return result;
    }

    kaTempDir dir;
    kaTDMReader reader;
};

TEST_F(TdmReaderTest, HeaderFaults) {
    const std::string good = Tdm({}, {Triangle()}, {});
    ASSERT_EQ(Open(good), 1);
    for (size_t i = 0; i < 9; ++i) {
        std::string bad = good;
        bad[i] ^= 0x20;
        EXPECT_EQ(Open(bad), 0);
        EXPECT_EQ(reader.getError(), kaTDMReader::kBadMagic) << i;
    }
    std::string version = good;
    version[10] = 1;
    EXPECT_EQ(Open(version), 0);
    EXPECT_EQ(reader.getError(), kaTDMReader::kBadVersion);
    EXPECT_EQ(Open(Tdm({Material()}, {}, {{"root", -1}})), 0);
    EXPECT_EQ(reader.getError(), kaTDMReader::kNoMeshes);
    EXPECT_EQ(reader.Open(dir.file("absent.tdm").c_str()), 0);
    EXPECT_EQ(reader.getError(), kaTDMReader::kCannotOpen);
}

TEST_F(TdmReaderTest, DefaultMaterialIsAddedWhereNeeded) {
    // No materials: the default is the only one and every mesh uses it.
    ASSERT_EQ(Open(Tdm({}, {Triangle(3), Triangle()}, {})), 1);
    ASSERT_EQ(reader.getMaterialCount(), 1);
    EXPECT_STREQ(reader.getMaterials()[0].name, "TDM Default");
    EXPECT_EQ(reader.getMaterials()[0].colour[0][0], 0.5f);
    EXPECT_EQ(reader.getMaterials()[0].colour[1][2], 1.0f);
    EXPECT_EQ(reader.getMaterials()[0].colour[2][1], 0.1f);
    EXPECT_EQ(reader.getMaterials()[0].scalar[1], 1.0f);
    EXPECT_EQ(reader.getMaterials()[0].textureCount, 0);
    EXPECT_EQ(reader.getMeshes()[0].material, 0);
    EXPECT_EQ(reader.getMeshes()[1].material, 0);

    // Two materials and one mesh without: a third is appended for it alone.
    ASSERT_EQ(Open(Tdm({Material(), Material()}, {Triangle(1), Triangle()}, {})), 1);
    ASSERT_EQ(reader.getMaterialCount(), 3);
    EXPECT_EQ(reader.getDefaultMaterial(), 2);
    EXPECT_EQ(reader.getMeshes()[0].material, 1);
    EXPECT_EQ(reader.getMeshes()[1].material, 2);

    // Every mesh names a material: none is added, so a name beyond the
    // materials is refused.
    ASSERT_EQ(Open(Tdm({Material()}, {Triangle(0)}, {})), 1);
    EXPECT_EQ(reader.getMaterialCount(), 1);
    EXPECT_EQ(Open(Tdm({}, {Triangle(0)}, {})), 0);
    EXPECT_EQ(reader.getError(), kaTDMReader::kBadIndex);
}

TEST_F(TdmReaderTest, RecordsAreReadFieldByField) {
    Material material;
    material.textures = {"base.png", "bump.png"};
    Mesh mesh = Triangle(0);
    mesh.vertices[0].kind = 1;
    mesh.vertices[0].bone = 1;
    mesh.vertices[1].kind = 2;
    mesh.vertices[1].influences = {{0, 0.25f}, {1, 0.75f}};
    mesh.vertices[2].kind = 3;  // reads nothing more
    const std::string longName(255, 'n');
    ASSERT_EQ(Open(Tdm({material}, {mesh}, {{"root", -1}, {"arm", 0}}, longName)), 1);
    EXPECT_EQ(std::strlen(reader.getModelName()), 255u);
    const kaTDMMaterial& m = reader.getMaterials()[0];
    ASSERT_EQ(m.textureCount, 2);
    EXPECT_STREQ(m.textures[1].name, "bump.png");
    EXPECT_EQ(m.scalar[0], 0.25f);
    const kaTDMMesh& read = reader.getMeshes()[0];
    EXPECT_EQ(read.vertices[0].bone, 1);
    ASSERT_EQ(read.vertices[1].influenceCount, 2);
    EXPECT_EQ(read.vertices[1].influences[1].weight, 0.75f);
    EXPECT_EQ(read.vertices[2].skinKind, 3);
    EXPECT_EQ(read.vertices[2].position[0], 0.0f);
    EXPECT_EQ(read.coords[2], 1.0f);
    EXPECT_EQ(read.faces[0].vertex[2], 2u);
    ASSERT_EQ(reader.getBoneCount(), 2);
    EXPECT_STREQ(reader.getBones()[1].name, "arm");
    EXPECT_EQ(reader.getBones()[1].parent, 0);
}

TEST_F(TdmReaderTest, IndicesOutsideTheirArraysAreRefused) {
    const auto expectRefused = [&](const Mesh& mesh, const std::vector<Bone>& bones) {
        EXPECT_EQ(Open(Tdm({Material()}, {mesh}, bones)), 0);
        EXPECT_EQ(reader.getError(), kaTDMReader::kBadIndex);
        EXPECT_EQ(reader.getMeshCount(), 0);
    };
    Mesh vertex = Triangle(0);
    vertex.faces[2] = 3;
    expectRefused(vertex, {});
    Mesh coord = Triangle(0);
    coord.faces[5] = 3;
    expectRefused(coord, {});
    Mesh material = Triangle(1);
    expectRefused(material, {});
    expectRefused(Triangle(0), {{"root", -1}, {"a", 1}});  // parent not lower
    expectRefused(Triangle(0), {{"root", -2}});

    // Without coordinates the coordinate indices are not used.
    Mesh plain = Triangle(0);
    plain.coords.clear();
    EXPECT_EQ(Open(Tdm({Material()}, {plain}, {})), 1);

    // Skin bone indices are only used by a skeleton, which checks them: a
    // static model with stray skin data is read as stored.
    Mesh skin = Triangle(0);
    skin.vertices[0].kind = 1;
    skin.vertices[0].bone = 1;
    skin.vertices[1].kind = 2;
    skin.vertices[1].influences = {{0, 1.0f}, {2, 0.0f}};
    ASSERT_EQ(Open(Tdm({Material()}, {skin}, {})), 1);
    EXPECT_EQ(reader.getMeshes()[0].vertices[0].bone, 1);
    EXPECT_EQ(reader.getMeshes()[0].vertices[1].influences[1].bone, 2);
}

TEST_F(TdmReaderTest, EveryCutShortFileFails) {
    Material material;
    material.textures = {"a.png"};
    Mesh mesh = Triangle(0);
    mesh.vertices[1].kind = 2;
    mesh.vertices[1].influences = {{0, 1.0f}};
    mesh.vertices[2].kind = 1;
    const std::string file = Tdm({material}, {mesh, Triangle()}, {{"root", -1}});
    for (size_t n = 0; n < file.size(); ++n) {
        ASSERT_EQ(Open(file.substr(0, n)), 0) << n;
        EXPECT_EQ(reader.getMeshCount(), 0);
    }
    EXPECT_EQ(Open(file), 1);
}

TEST_F(TdmReaderTest, CountsBeyondTheFileAreRefusedBeforeAllocating) {
    kaByteWriter huge;
    huge.text("TDMU_MESH").u8(2).u8(2).shortString("m").u16(0).u16(1).u16(0);
    huge.shortString("mesh").zeros(64).u8(0).u32(0x7FFFFFFF).u32(0).u32(0);
    EXPECT_EQ(Open(huge.bytes()), 0);
    EXPECT_EQ(reader.getError(), kaTDMReader::kTruncated);
    kaByteWriter negative;
    negative.text("TDMU_MESH").u8(2).u8(2).shortString("m").u16(0).u16(1).u16(0xFFFF);
    EXPECT_EQ(Open(negative.bytes()), 0);
    EXPECT_EQ(reader.getError(), kaTDMReader::kBadCount);
}

class TdaReaderTest : public ::testing::Test {
protected:
    // As for models: the bytes in memory must read as the file does.
    int Open(const std::string& bytes) {
        path = dir.write("c.tda", bytes);
        const int result = reader.Open(path.c_str());
        kaTDAReader inMemory;
        EXPECT_EQ(inMemory.OpenMemory(bytes.data(), bytes.size()), result);
        EXPECT_EQ(inMemory.getError(), reader.getError());
        EXPECT_EQ(inMemory.getTrackCount(), reader.getTrackCount());
        return result;
    }

    kaTempDir dir;
    std::string path;
    kaTDAReader reader;
};

TEST_F(TdaReaderTest, HeaderFaults) {
    EXPECT_EQ(Open(Tda(1.0f, 10, {{"a", 1}}, 2, 2)), 0);
    EXPECT_EQ(reader.getError(), kaTDAReader::kBadVersion);
    EXPECT_EQ(Open(Tda(1.0f, 0, {{"a", 1}})), 0);
    EXPECT_EQ(reader.getError(), kaTDAReader::kNoFrames);
    EXPECT_EQ(Open(Tda(1.0f, 10, {})), 0);
    EXPECT_EQ(reader.getError(), kaTDAReader::kNoTracks);
    EXPECT_EQ(Open(Tda(1.0f, 10, {}, 1, 2, -3)), 0);
    EXPECT_EQ(reader.getError(), kaTDAReader::kNoTracks);
    std::string magic = Tda(1.0f, 10, {{"a", 1}});
    magic[5] = 'M';
    EXPECT_EQ(Open(magic), 0);
    EXPECT_EQ(reader.getError(), kaTDAReader::kBadMagic);
}

TEST_F(TdaReaderTest, KeyTimesComeFromTheirIndex) {
    ASSERT_EQ(Open(Tda(2.0f, 40, {{"hip", 40}, {"hip", 0}})), 1);
    EXPECT_EQ(reader.getTracks()[0].keys[1].time, 2.0f / 40);
    kaAnimClip clip;
    ASSERT_EQ(clip.LoadClipFile(path.c_str()), 1);
    EXPECT_EQ(clip.durationMs, 2000.0f);
    EXPECT_EQ(clip.headerValue, 0xCAFEF00Du);
    EXPECT_EQ(clip.frameCount, 40);
    ASSERT_EQ(clip.trackCount, 2);
    const kaAnimTrack& track = clip.tracks[0];
    EXPECT_STREQ(track.name, "hip");
    ASSERT_EQ(track.keyCount, 40);
    EXPECT_EQ(track.keys[0].time, 0.0f);
    EXPECT_EQ(track.keys[1].time, 50.0f);
    EXPECT_EQ(track.keys[39].time, 1950.0f);
    EXPECT_EQ(track.keys[39].position[0], 39.0f);
    EXPECT_EQ(track.keys[39].rotation[2], 0.125f);
    EXPECT_EQ(clip.tracks[1].keyCount, 0);

    // A failed load leaves the clip as it was.
    EXPECT_EQ(clip.LoadClip("absent.tda"), 0);
    EXPECT_EQ(clip.trackCount, 2);
}

TEST_F(TdaReaderTest, EveryCutShortFileFails) {
    const std::string file = Tda(1.0f, 4, {{"a", 2}, {"b", 3}});
    for (size_t n = 0; n < file.size(); ++n) {
        ASSERT_EQ(Open(file.substr(0, n)), 0) << n;
        EXPECT_EQ(reader.getTrackCount(), 0);
    }
    EXPECT_EQ(Open(file), 1);
    kaByteWriter keys;
    keys.text("TDMU_ANIM").u8(1).u8(2).shortString("c").f32(1).u32(0).u32(4).u16(1);
    keys.shortString("t").u32(0x7FFFFFFF);
    EXPECT_EQ(Open(keys.bytes()), 0);
    EXPECT_EQ(reader.getError(), kaTDAReader::kBadData);
}

}  // namespace
