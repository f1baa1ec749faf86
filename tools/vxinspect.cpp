// vxinspect: shows what the player makes of a picture, a TDM model, a TDA
// clip or a camera path, with the player's own decoders and readers.
//
//   vxinspect image FILE [OUT.png]   format, levels and sizes; level 0 as RGBA PNG
//   vxinspect tdm FILE               materials, meshes, bones, bounding box
//   vxinspect tda FILE               duration, frames, tracks and their keys
//   vxinspect spl FILE [T ...]       path points (the first again at the end),
//                                    then for each T the point at T: "x y z"
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "kaAnimClip.h"
#include "kaBoundingBox.h"
#include "kaCamera.h"
#include "kaImage.h"
#include "kaMessageBox.h"
#include "kaTDAReader.h"
#include "kaTDMReader.h"

namespace {

const char* FormatName(uint32_t format) {
    switch (format) {
        case KA_IMG_L8: return "L8";
        case KA_IMG_R5G6B5: return "R5G6B5";
        case KA_IMG_R8G8B8: return "R8G8B8";
        case KA_IMG_R8G8B8A8: return "R8G8B8A8";
        case KA_IMG_NORMALMAP: return "NORMALMAP";
        case KA_IMG_DXT1: return "DXT1";
        case KA_IMG_DXT3: return "DXT3";
        case KA_IMG_DXT5: return "DXT5";
        default: return "unknown";
    }
}

const char* ImageResultText(int result) {
    switch (result) {
        case 1: return "the PNG or JPEG library failed to decode the file";
        case 2: return "invalid argument";
        case 4: return "out of memory, or the picture is too large";
        case 6: return "a variant of a known picture format that is not supported";
        case 7: return "not a recognised picture format, or a bad header";
        case 8: return "the file cannot be opened";
        case 10: return "the file is cut short or its data is corrupt";
        default: return "unknown result";
    }
}

const char* ModelErrorText(int error) {
    switch (error) {
        case kaTDMReader::kBadMagic: return "not a TDM file (wrong magic)";
        case kaTDMReader::kBadVersion: return "wrong version bytes";
        case kaTDMReader::kNoMeshes: return "the model has no meshes";
        case kaTDMReader::kBadCount: return "a negative count, or too many materials";
        case kaTDMReader::kTruncated: return "the file is cut short";
        case kaTDMReader::kBadIndex: return "an index outside its array";
        case kaTDMReader::kCannotOpen: return "the file cannot be opened";
        default: return "unknown error";
    }
}

const char* ClipErrorText(int error) {
    switch (error) {
        case kaTDAReader::kBadMagic: return "not a TDA file (wrong magic)";
        case kaTDAReader::kBadVersion: return "wrong version bytes";
        case kaTDAReader::kNoTracks: return "the track count is 0 or negative";
        case kaTDAReader::kNoFrames: return "the frame count is 0";
        case kaTDAReader::kBadData: return "the file is cut short or a key count is bad";
        case kaTDAReader::kCannotOpen: return "the file cannot be opened";
        default: return "unknown error";
    }
}

int WritePng(const char* path, const kaImage& image) {
    const kaImageLevel& level = image.getLevel(0);
    png_image out;
    std::memset(&out, 0, sizeof out);
    out.version = PNG_IMAGE_VERSION;
    out.width = level.width;
    out.height = level.height;
    out.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&out, path, 0, level.data, 0, nullptr)) {
        std::fprintf(stderr, "cannot write %s: %s\n", path, out.message);
        return 1;
    }
    std::printf("wrote level 0 to %s\n", path);
    return 0;
}

int InspectImage(const char* path, const char* outPath) {
    kaImage image;
    const int result = image.Load(path);
    if (result != 0) {
        std::printf("%s: result %d: %s\n", path, result, ImageResultText(result));
        return 1;
    }
    std::printf("%s: format %s (%u), %u level(s)%s\n", path, FormatName(image.getFormat()),
                image.getFormat(), image.getLevelCount(), image.isCubeMap() ? ", cube map" : "");
    for (uint32_t l = 0; l < image.getLevelCount(); ++l) {
        const kaImageLevel& level = image.getLevel(l);
        std::printf("  level %u: %u x %u, %u bytes%s\n", l, level.width, level.height, level.size,
                    image.isCubeMap() ? " per face" : "");
    }
    if (outPath == nullptr) return 0;
    if (image.getFormat() & 0x80) {
        std::fprintf(stderr, "level 0 is block-compressed; no PNG written\n");
        return 1;
    }
    const int converted = image.ConvertTo32Bits();
    if (converted != 0) {
        std::printf("conversion to 32 bits: result %d: %s\n", converted, ImageResultText(converted));
        return 1;
    }
    return WritePng(outPath, image);
}

void PrintModel(const kaTDMReader& reader) {
    std::printf("model \"%s\": %u material(s), %u mesh(es), %d bone(s)\n", reader.getModelName(),
                reader.getMaterialCount(), reader.getMeshCount(), reader.getBoneCount());
    for (uint16_t m = 0; m < reader.getMaterialCount(); ++m) {
        const kaTDMMaterial& material = reader.getMaterials()[m];
        std::printf("  material %u \"%s\": %u texture(s)", m, material.name, material.textureCount);
        for (const kaTDMTextureRef& texture : material.textures) std::printf(" \"%s\"", texture.name);
        std::printf("\n");
    }
    kaBoundingBox box;
    for (uint16_t m = 0; m < reader.getMeshCount(); ++m) {
        const kaTDMMesh& mesh = reader.getMeshes()[m];
        std::printf("  mesh %u \"%s\": %u vertices, %u texture coordinates, %u faces, material %u\n",
                    m, mesh.name, mesh.vertexCount, mesh.coordCount, mesh.faceCount, mesh.material);
        for (const kaTDMVertex& vertex : mesh.vertices) box.Add(vertex.position);
    }
    for (int16_t b = 0; b < reader.getBoneCount(); ++b) {
        const kaTDMBone& bone = reader.getBones()[b];
        std::printf("  bone %d \"%s\": parent %d\n", b, bone.name, bone.parent);
    }
    float centre[3];
    box.getCentre(centre);
    std::printf("bounding box: (%g %g %g) to (%g %g %g), centre (%g %g %g)\n", box.minimum[0],
                box.minimum[1], box.minimum[2], box.maximum[0], box.maximum[1], box.maximum[2],
                centre[0], centre[1], centre[2]);
}

int InspectModel(const char* path) {
    kaTDMReader reader;
    if (!reader.Open(path)) {
        std::printf("%s: TDM error %d: %s\n", path, reader.getError(),
                    ModelErrorText(reader.getError()));
        return 1;
    }
    PrintModel(reader);
    return 0;
}

void PrintKey(const char* label, const kaAnimKey& key) {
    std::printf("    %s key at %g ms: position (%g %g %g), angles (%g %g %g)\n", label, key.time,
                key.position[0], key.position[1], key.position[2], key.rotation[0],
                key.rotation[1], key.rotation[2]);
}

int InspectClip(const char* path) {
    kaTDAReader reader;
    if (!reader.Open(path)) {
        std::printf("%s: TDA error %d: %s\n", path, reader.getError(),
                    ClipErrorText(reader.getError()));
        return 1;
    }
    kaAnimClip clip;
    clip.LoadClipFile(path);
    std::printf("clip \"%s\": duration %g ms, %d frame(s), %d track(s)\n", reader.getName(),
                clip.durationMs, clip.frameCount, clip.trackCount);
    for (const kaAnimTrack& track : clip.tracks) {
        std::printf("  track \"%s\": %d key(s)\n", track.name, track.keyCount);
        if (track.keyCount == 0) continue;
        PrintKey("first", track.keys.front());
        PrintKey("last", track.keys.back());
    }
    return 0;
}

// The loaders' message boxes, printed instead of shown.
int PrintBox(const char* caption, const char* text, unsigned) {
    std::printf("%s: %s\n", caption, text);
    return KA_IDOK;
}

int InspectPath(const char* path, int count, char** parameters) {
    std::vector<float> times;
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        times.push_back(std::strtof(parameters[i], &end));
        if (end == parameters[i] || *end != '\0') {
            std::fprintf(stderr, "not a path parameter: %s\n", parameters[i]);
            return 2;
        }
    }
    SetMessageBoxHook(PrintBox);
    kaCamera camera;
    const int result = camera.LoadPathFile(path);
    if (result != 0) return 1;
    std::printf("path %s: %d points (%d from the file, then the first again)\n", path,
                camera.path.count, camera.path.count - 1);
    for (int i = 0; i < camera.path.count; ++i) {
        const float* p = &camera.path.points[3 * i];
        std::printf("  point %d: %.6f %.6f %.6f\n", i, p[0], p[1], p[2]);
    }
    for (float t : times) {
        const kaVector3f p = camera.PointAt(t);
        std::printf("%.6f %.6f %.6f\n", p.x, p.y, p.z);
    }
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: vxinspect image FILE [OUT.png]\n"
                 "       vxinspect tdm FILE\n"
                 "       vxinspect tda FILE\n"
                 "       vxinspect spl FILE [T ...]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const char* command = argv[1];
    if (std::strcmp(command, "image") == 0 && argc <= 4)
        return InspectImage(argv[2], argc == 4 ? argv[3] : nullptr);
    if (std::strcmp(command, "tdm") == 0 && argc == 3) return InspectModel(argv[2]);
    if (std::strcmp(command, "tda") == 0 && argc == 3) return InspectClip(argv[2]);
    if (std::strcmp(command, "spl") == 0) return InspectPath(argv[2], argc - 3, argv + 3);
    return Usage();
}
