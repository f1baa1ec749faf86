#include "kaCharacterBuilder.h"

#include <algorithm>
#include <cmath>

#include "kaMeshBuilder.h"

namespace {

// Skeleton: name, parent, joint position relative to the parent joint.
struct BoneDesign {
    const char* name;
    int parent;
    kaVec3 offset;
};

constexpr float kShoulderX = 200.0f;
constexpr float kHipX = 100.0f;

const BoneDesign kBones[kBoneCount] = {
    {"pelvis", -1, {0, 0, 1000}},
    {"spine", kPelvis, {0, 0, 120}},
    {"chest", kSpine, {0, 0, 260}},
    {"neck", kChest, {0, 0, 190}},
    {"head", kNeck, {0, 0, 70}},
    {"l_upperarm", kChest, {kShoulderX, 0, 150}},
    {"l_forearm", kLeftUpperArm, {20, 0, -300}},
    {"l_hand", kLeftForearm, {5, 0, -270}},
    {"r_upperarm", kChest, {-kShoulderX, 0, 150}},
    {"r_forearm", kRightUpperArm, {-20, 0, -300}},
    {"r_hand", kRightForearm, {-5, 0, -270}},
    {"l_thigh", kPelvis, {kHipX, 0, -70}},
    {"l_shin", kLeftThigh, {0, 0, -440}},
    {"l_foot", kLeftShin, {0, 0, -410}},
    {"r_thigh", kPelvis, {-kHipX, 0, -70}},
    {"r_shin", kRightThigh, {0, 0, -440}},
    {"r_foot", kRightShin, {0, 0, -410}},
};

enum Material : uint16_t { kSuit, kHeadMaterial, kGear };

constexpr int kRings = 8;
constexpr int kSegments = 14;
// Height of the top of the head: the model spans z = 0 to this.
constexpr float kHeight = 1800.0f;
constexpr float kHeadRadius = 110.0f;

float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Two half-axes at right angles to a direction.
void Across(kaVec3 direction, kaVec3& u, kaVec3& v) {
    const kaVec3 helper = std::fabs(direction.y) < 0.9f ? kaVec3{0, 1, 0} : kaVec3{1, 0, 0};
    u = Normalised(Cross(helper, direction));
    v = Normalised(Cross(direction, u));
}

kaMaterialSpec Material(const char* name, const char* colour, const char* normal, kaVec3 diffuse) {
    return {name, diffuse, {colour, normal}};
}

void Sphere(kaMeshBuilder& builder, kaVec3 centre, kaVec3 radii) {
    builder.Ellipsoid(centre, {radii.x, 0, 0}, {0, radii.y, 0}, {0, 0, radii.z}, kRings, kSegments);
}

}  // namespace

std::vector<kaBoneSpec> kaCharacterBuilder::Skeleton() {
    std::vector<kaBoneSpec> bones;
    for (const BoneDesign& design : kBones)
        bones.push_back({design.name, int16_t(design.parent), design.offset, {0, 0, 0}});
    return bones;
}

kaVec3 kaCharacterBuilder::JointPosition(int bone) {
    kaVec3 position{0, 0, 0};
    for (int b = bone; b >= 0; b = kBones[b].parent) position = position + kBones[b].offset;
    return position;
}

void kaCharacterBuilder::SkinTo(kaMeshSpec& mesh, uint32_t first, int bone) {
    for (uint32_t i = first; i < mesh.vertices.size(); ++i) {
        mesh.vertices[i].skinKind = 1;
        mesh.vertices[i].bone = uint16_t(bone);
    }
}

void kaCharacterBuilder::Skin(kaMeshSpec& mesh, uint32_t first, int parent, int bone, kaVec3 from,
                              kaVec3 to) {
    const kaVec3 axis = to - from;
    const float length2 = Dot(axis, axis);
    for (uint32_t i = first; i < mesh.vertices.size(); ++i) {
        kaVertexSpec& vertex = mesh.vertices[i];
        const float along = Dot(vertex.position - from, axis) / length2;
        const float weight = SmoothStep(-0.15f, 0.2f, along);
        vertex.influences.clear();
        if (weight > 0.999f || parent < 0) {
            vertex.skinKind = 1;
            vertex.bone = uint16_t(bone);
        } else if (weight < 0.001f) {
            vertex.skinKind = 1;
            vertex.bone = uint16_t(parent);
        } else {
            vertex.skinKind = 2;
            vertex.influences = {{uint16_t(parent), 1.0f - weight}, {uint16_t(bone), weight}};
        }
    }
}

void kaCharacterBuilder::Limb(kaMeshSpec& mesh, int parent, int bone, kaVec3 from, kaVec3 to,
                              float radius, float overlap) {
    kaMeshBuilder builder(mesh);
    const uint32_t first = builder.vertexCount();
    const kaVec3 half = (to - from) * (0.5f + overlap);
    kaVec3 u, v;
    Across(Normalised(to - from), u, v);
    builder.Ellipsoid((from + to) * 0.5f, u * radius, v * radius, half * -1.0f, kRings, kSegments);
    Skin(mesh, first, parent, bone, from, to);
}

kaModelSpec kaCharacterBuilder::Build() {
    kaModelSpec model;
    model.name = "Garrulon";
    model.bones = Skeleton();
    model.materials = {
        Material("garrulon_suit", "garrulon_suit.jpg", "garrulon_suit_n.png", {0.3f, 0.45f, 0.8f}),
        Material("garrulon_head", "garrulon_head.dds", "garrulon_head_n.tga", {0.9f, 0.75f, 0.6f}),
        Material("garrulon_gear", "garrulon_gear.bmp", "garrulon_gear_n.png", {0.9f, 0.6f, 0.1f}),
    };
    model.meshes.resize(3);
    kaMeshSpec& body = model.meshes[0];
    kaMeshSpec& head = model.meshes[1];
    kaMeshSpec& gear = model.meshes[2];
    body = {"body", kSuit, {}, {}, {}};
    head = {"head", kHeadMaterial, {}, {}, {}};
    gear = {"gear", kGear, {}, {}, {}};

    const auto joint = [](int bone) { return JointPosition(bone); };
    // Torso: pelvis, belly (pelvis to spine), chest, neck.
    Limb(body, -1, kPelvis, {0, 0, 880}, {0, 0, 1100}, 150.0f, 0.0f);
    Limb(body, kPelvis, kSpine, joint(kSpine), {0, 0, 1280}, 135.0f, 0.1f);
    kaMeshBuilder bodyBuilder(body);
    uint32_t first = bodyBuilder.vertexCount();
    Sphere(bodyBuilder, {0, 10, 1420}, {210, 125, 180});
    Skin(body, first, kSpine, kChest, {0, 0, 1240}, joint(kNeck));
    Limb(body, kChest, kNeck, joint(kNeck) - kaVec3{0, 0, 40}, joint(kHead), 55.0f, 0.2f);
    // Arms and legs on both sides.
    for (int side = 0; side < 2; ++side) {
        const int upper = side == 0 ? kLeftUpperArm : kRightUpperArm;
        first = bodyBuilder.vertexCount();
        Sphere(bodyBuilder, joint(upper), {72, 72, 72});
        Skin(body, first, kChest, upper, joint(upper) + kaVec3{0, 0, 60}, joint(upper + 1));
        Limb(body, kChest, upper, joint(upper), joint(upper + 1), 60.0f, 0.1f);
        Limb(body, upper, upper + 1, joint(upper + 1), joint(upper + 2), 50.0f, 0.1f);
        const int thigh = side == 0 ? kLeftThigh : kRightThigh;
        Limb(body, kPelvis, thigh, joint(thigh), joint(thigh + 1), 85.0f, 0.1f);
        Limb(body, thigh, thigh + 1, joint(thigh + 1), joint(thigh + 2), 62.0f, 0.1f);
    }
    // Head with the crown exactly at the model's full height.
    kaMeshBuilder headBuilder(head);
    Sphere(headBuilder, {0, 0, kHeight - kHeadRadius}, {100, kHeadRadius, kHeadRadius});
    SkinTo(head, 0, kHead);
    // Gear: visor, gloves, boots whose soles touch z = 0.
    kaMeshBuilder gearBuilder(gear);
    Sphere(gearBuilder, {0, -92, 1705}, {88, 28, 30});
    SkinTo(gear, 0, kHead);
    for (int side = 0; side < 2; ++side) {
        const float sx = side == 0 ? 1.0f : -1.0f;
        const int hand = side == 0 ? kLeftHand : kRightHand;
        first = gearBuilder.vertexCount();
        Sphere(gearBuilder, joint(hand) - kaVec3{0, 0, 75}, {42, 55, 85});
        SkinTo(gear, first, hand);
        const int foot = side == 0 ? kLeftFoot : kRightFoot;
        first = gearBuilder.vertexCount();
        Sphere(gearBuilder, {kHipX * sx, -60, 55}, {62, 125, 55});
        SkinTo(gear, first, foot);
    }
    return model;
}
