#pragma once

#include "kaModelSpec.h"

// Bones of Garrulon, in file order (parents first).
enum kaBoneId : int {
    kPelvis,
    kSpine,
    kChest,
    kNeck,
    kHead,
    kLeftUpperArm,
    kLeftForearm,
    kLeftHand,
    kRightUpperArm,
    kRightForearm,
    kRightHand,
    kLeftThigh,
    kLeftShin,
    kLeftFoot,
    kRightThigh,
    kRightShin,
    kRightFoot,
    kBoneCount
};

// Builds "Garrulon.tdm": a humanoid 1800 mm tall standing on z = 0, facing
// -y, made of ellipsoids skinned to a 17-bone skeleton (one-bone vertices
// along the limbs, two-bone weights around the joints).  Its left side is
// +x.  Materials: suit, head, gear (visor, gloves, boots), each with a
// colour map and a normal map.
class kaCharacterBuilder {
public:
    static kaModelSpec Build();
    // The skeleton alone: rest positions relative to the parents, no rotations.
    static std::vector<kaBoneSpec> Skeleton();
    // Model-space position of a bone's joint in the rest pose.
    static kaVec3 JointPosition(int bone);

private:
    // One ellipsoid along the segment from the joint of bone to the joint of
    // end (or to endPoint), skinned to bone and, near its start, blended
    // with parent.
    static void Limb(kaMeshSpec& mesh, int parent, int bone, kaVec3 from, kaVec3 to, float radius,
                     float overlap);
    static void Skin(kaMeshSpec& mesh, uint32_t first, int parent, int bone, kaVec3 from, kaVec3 to);
    static void SkinTo(kaMeshSpec& mesh, uint32_t first, int bone);
};
