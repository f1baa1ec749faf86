// fuzzseeds: writes the generated part of the fuzz targets' seed corpora.
//
//   fuzzseeds DIR
//
// Small files of every variant each reader takes, one folder per target
// (DIR/image, DIR/model, DIR/clip, DIR/ogg), the same bytes every run.  The
// media tree adds the demo's own files; the kept seeds add what no writer
// here makes.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "kaOggWriter.h"
#include "kaPicture.h"
#include "kaPictureWriter.h"
#include "kaTestModels.h"
#include "kaTestPictures.h"

namespace {

namespace fs = std::filesystem;
using namespace kaTestModels;
using namespace kaTestPictures;

bool Save(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    return bool(out) && !bytes.empty();
}

// Distinct byte values, so every channel and every pixel differ.
std::string Ramp(size_t count, unsigned salt) {
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>(i * 37 + salt);
    return bytes;
}

kaPicture Gradient(int width, int height, bool alpha) {
    kaPicture picture(width, height);
    picture.Paint([alpha](float u, float v) {
        return kaPicture::Colour{u, v, 1 - u, alpha ? 1 - v : 1.0f};
    });
    return picture;
}

std::string DdsChain(DdsHeader header, size_t bytes, unsigned faces = 1) {
    header.caps |= header.mipCount > 1 ? 0x400000 : 0;
    return Dds(header, Ramp(bytes * faces, header.width));
}

std::vector<std::pair<std::string, std::string>> Pictures() {
    DdsHeader rgb;
    rgb.pixelFlags = 0x40;
    DdsHeader rgb32 = rgb, rgb24 = rgb, rgb16 = rgb, rgb8 = rgb;
    rgb32.rgbBits = 32;
    rgb32.pixelFlags |= 0x1;
    rgb32.masks[0] = 0xFF;
    rgb24.rgbBits = 24;
    rgb16.rgbBits = 16;
    rgb8.rgbBits = 8;
    DdsHeader dxt1, dxt3, dxt5, cube;
    dxt1.width = dxt1.height = 8;
    dxt1.mipCount = 4;
    dxt3.fourCC = "DXT3";
    dxt5.fourCC = "DXT5";
    dxt5.width = 12;
    dxt5.height = 4;
    dxt5.mipCount = 3;
    cube.caps2 = 0x200;
    const std::string masks565 = std::string("\x00\xF8\0\0\xE0\x07\0\0\x1F\0\0\0", 12);
    return {
        {"grey.bmp", Bmp(4, 2, 8, 0, Ramp(8, 1))},
        {"palette.bmp", Bmp(3, 2, 8, 0, Ramp(8, 2), 4, Ramp(16, 3))},
        {"555.bmp", Bmp(2, 2, 16, 0, Ramp(8, 4))},
        {"565.bmp", Bmp(2, 2, 16, 3, Ramp(8, 5), 0, masks565)},
        {"rgb.bmp", Bmp(3, 2, 24, 0, Ramp(24, 6))},
        {"rgba.bmp", Bmp(2, 2, 32, 0, Ramp(16, 7))},
        {"topdown.tga", Tga(2, 3, 2, 24, 0x20, Ramp(18, 8))},
        {"bottomup.tga", Tga(2, 2, 2, 32, 0x08, Ramp(16, 9))},
        {"1555.tga", Tga(2, 2, 2, 16, 0, Ramp(8, 10))},
        {"grey.tga", Tga(3, 5, 3, 8, 0, Ramp(15, 11))},
        {"dxt1-chain.dds", DdsChain(dxt1, 32 + 8 + 8 + 8)},
        {"dxt3.dds", DdsChain(dxt3, 16)},
        {"dxt5-chain.dds", DdsChain(dxt5, 48 + 32 + 16)},
        {"cube.dds", DdsChain(cube, 8, 6)},
        {"rgba.dds", DdsChain(rgb32, 64)},
        {"rgb.dds", DdsChain(rgb24, 48)},
        {"565.dds", DdsChain(rgb16, 32)},
        {"grey.dds", DdsChain(rgb8, 16)},
        {"rgb.png", kaPictureWriter::Png(Gradient(5, 3, false))},
        {"rgba.png", kaPictureWriter::Png(Gradient(4, 4, true))},
        {"odd.jpg", kaPictureWriter::Jpeg(Gradient(9, 7, false), 50)},
        {"wide.jpg", kaPictureWriter::Jpeg(Gradient(33, 2, false), 90)},
        {"square.dds", kaPictureWriter::Dds(Gradient(8, 8, true))},
    };
}

Mesh Skinned() {
    Mesh mesh = Triangle(0);
    mesh.vertices[0].kind = 1;
    mesh.vertices[0].bone = 1;
    mesh.vertices[1].kind = 2;
    mesh.vertices[1].influences = {{0, 0.25f}, {1, 0.75f}};
    mesh.vertices[2].kind = 3;
    return mesh;
}

std::vector<std::pair<std::string, std::string>> Models() {
    Mesh bare = Triangle(-1);
    bare.coords.clear();
    Mesh quad = Triangle(1);
    quad.vertices.push_back(quad.vertices[1]);
    quad.vertices[3].position[1] = 1;
    quad.faces.insert(quad.faces.end(), {1, 3, 2, 1, 2, 2});
    const Material textured{"skin", {"skin.png", "skin_n.tga"}};
    return {
        {"triangle.tdm", Tdm({textured}, {Triangle(0)}, {})},
        {"default-material.tdm", Tdm({}, {Triangle(-1), bare}, {})},
        {"two-materials.tdm", Tdm({textured, Material{}}, {quad, Triangle(-1)}, {}, "")},
        {"skinned.tdm", Tdm({Material{}}, {Skinned()}, {{"root", -1}, {"arm", 0}})},
    };
}

std::vector<std::pair<std::string, std::string>> Clips() {
    return {
        {"walk.tda", Tda(2.0f, 40, {{"root", 3}, {"arm", 2}})},
        {"still.tda", Tda(0.5f, 1, {{"root", 1}})},
        {"empty-track.tda", Tda(1.0f, 10, {{"root", 0}, {"arm", 4}})},
    };
}

float Tone(int channel, long frame, int rate) {
    const long period = rate / (220 + 110 * channel);
    return frame % period < period / 2 ? 0.25f : -0.25f;
}

std::string Track(int channels, int rate, long frames, int serial) {
    return kaOggWriter::Encode(
        channels, rate, frames, [rate](int c, long f) { return Tone(c, f, rate); }, 0.1f, serial,
        "seed");
}

std::vector<std::pair<std::string, std::string>> Music() {
    return {
        {"mono-8k.ogg", Track(1, 8000, 2000, 1)},
        {"stereo-44k.ogg", Track(2, 44100, 4410, 2)},
        {"surround-48k.ogg", Track(5, 48000, 2400, 3)},
        {"chained.ogg", Track(1, 22050, 1000, 4) + Track(2, 44100, 2000, 5)},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzzseeds DIR\n");
        return 2;
    }
    const fs::path root = argv[1];
    const std::pair<const char*, std::vector<std::pair<std::string, std::string>>> sets[] = {
        {"image", Pictures()}, {"model", Models()}, {"clip", Clips()}, {"ogg", Music()},
    };
    for (const auto& [target, files] : sets) {
        for (const auto& [name, bytes] : files) {
            if (!Save(root / target / name, bytes)) {
                std::fprintf(stderr, "fuzzseeds: cannot write %s/%s\n", target, name.c_str());
                return 1;
            }
        }
    }
    return 0;
}
