#include "kaClipLibrary.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kTwoPi = 6.28318531f;

// Angles of the pose's bones.  Conventions (the character faces -y, its
// left is +x): a negative x angle swings a hanging limb forward, a positive
// one backward; a positive x angle on a shin bends the knee, a negative one
// on a forearm bends the elbow; a positive x angle leans the spine forward;
// a negative y angle lifts the left arm sideways, a positive one the right.
kaVec3& A(kaClipLibrary::Pose& pose, int bone) { return pose[bone].angles; }

// 0 at the start and end of the loop, 1 halfway.
float Swell(float phase) { return 0.5f - 0.5f * std::cos(kTwoPi * phase); }

float Wave(float phase, float cycles) { return std::sin(kTwoPi * phase * cycles); }

// Both arms hanging relaxed, slightly away from the body.
void Relaxed(kaClipLibrary::Pose& pose) {
    A(pose, kLeftUpperArm).y = -0.12f;
    A(pose, kRightUpperArm).y = 0.12f;
    A(pose, kLeftForearm).x = -0.15f;
    A(pose, kRightForearm).x = -0.15f;
}

void Breath(float phase, kaClipLibrary::Pose& pose, float depth) {
    A(pose, kChest).x -= depth * Wave(phase, 1);
    A(pose, kNeck).x += 0.5f * depth * Wave(phase, 1);
}

// Knees bent by bend (radians at the knee) with the pelvis lowered so the
// feet stay on the ground.
void Crouch(kaClipLibrary::Pose& pose, float bend) {
    for (int thigh : {kLeftThigh, kRightThigh}) {
        A(pose, thigh).x -= 0.5f * bend;
        A(pose, thigh + 1).x += bend;
        A(pose, thigh + 2).x -= 0.5f * bend;
    }
    const float legs = 440.0f + 410.0f;
    pose[kPelvis].position.z -= legs * (1.0f - std::cos(0.5f * bend));
    A(pose, kSpine).x += 0.35f * bend;
}

void AdjustGlove(float phase, kaClipLibrary::Pose& pose) {
    Relaxed(pose);
    const float e = Swell(phase);
    const float tug = 0.12f * Wave(phase, 4) * e;
    A(pose, kLeftUpperArm) = {-0.75f * e, -0.15f, 0.0f};
    A(pose, kLeftForearm).x = -1.5f * e;
    A(pose, kLeftHand).x = -0.3f * e;
    A(pose, kRightUpperArm) = {-0.9f * e, 0.12f, 0.65f * e};
    A(pose, kRightForearm).x = -1.1f * e + tug;
    A(pose, kHead).x = 0.35f * e;
    Breath(phase, pose, 0.03f);
}

void AdjustGlasses(float phase, kaClipLibrary::Pose& pose) {
    Relaxed(pose);
    const float e = Swell(phase);
    A(pose, kRightUpperArm) = {-1.25f * e, 0.12f, 0.35f * e};
    A(pose, kRightForearm).x = -2.1f * e + 0.1f * Wave(phase, 3) * e;
    A(pose, kHead).x = -0.12f * e;
    A(pose, kHead).z = 0.1f * e;
}

void AdjustTrousers(float phase, kaClipLibrary::Pose& pose) {
    Relaxed(pose);
    const float e = Swell(phase);
    for (int side = 0; side < 2; ++side) {
        const int upper = side == 0 ? kLeftUpperArm : kRightUpperArm;
        const float s = side == 0 ? 1.0f : -1.0f;
        A(pose, upper) = {-0.45f * e, -0.1f * s, -0.5f * s * e};
        A(pose, upper + 1).x = -0.5f * e;
    }
    Crouch(pose, 0.5f * e);
    pose[kPelvis].position.x += 40.0f * Wave(phase, 2) * e;
    A(pose, kHead).x = 0.3f * e;
}

void Run(float phase, kaClipLibrary::Pose& pose) {
    const float s = Wave(phase, 1), c = std::cos(kTwoPi * phase);
    A(pose, kLeftThigh).x = -0.75f * s;
    A(pose, kRightThigh).x = 0.75f * s;
    A(pose, kLeftShin).x = 0.75f + 0.55f * c;
    A(pose, kRightShin).x = 0.75f - 0.55f * c;
    A(pose, kLeftFoot).x = -0.2f * s;
    A(pose, kRightFoot).x = 0.2f * s;
    A(pose, kLeftUpperArm) = {0.65f * s, -0.15f, 0.0f};
    A(pose, kRightUpperArm) = {-0.65f * s, 0.15f, 0.0f};
    A(pose, kLeftForearm).x = -1.3f;
    A(pose, kRightForearm).x = -1.3f;
    A(pose, kSpine).x = 0.22f;
    A(pose, kPelvis).z = 0.15f * s;
    A(pose, kChest).z = -0.2f * s;
    pose[kPelvis].position.z += -50.0f + 45.0f * std::cos(2.0f * kTwoPi * phase);
}

void Breathe(float phase, kaClipLibrary::Pose& pose) {
    Relaxed(pose);
    Breath(phase, pose, 0.05f);
    A(pose, kLeftUpperArm).y -= 0.04f * Wave(phase, 1);
    A(pose, kRightUpperArm).y += 0.04f * Wave(phase, 1);
    A(pose, kHead).z = 0.08f * Wave(phase, 1);
    pose[kPelvis].position.z -= 8.0f * Swell(phase);
}

void AdjustSeat(float phase, kaClipLibrary::Pose& pose) {
    Relaxed(pose);
    const float e = Swell(phase);
    A(pose, kRightUpperArm) = {0.55f * e, 0.25f * e, -0.3f * e};
    A(pose, kRightForearm).x = -1.2f * e;
    A(pose, kPelvis).y = 0.08f * Wave(phase, 3) * e;
    A(pose, kSpine).x = 0.2f * e;
    A(pose, kHead).z = -0.5f * e;
}

void GrabHoverboard(float phase, kaClipLibrary::Pose& pose) {
    Relaxed(pose);
    const float reach = std::max(0.0f, Wave(phase, 1));
    const float lift = std::max(0.0f, -Wave(phase, 1));
    Crouch(pose, 1.3f * reach);
    for (int side = 0; side < 2; ++side) {
        const int upper = side == 0 ? kLeftUpperArm : kRightUpperArm;
        const float s = side == 0 ? 1.0f : -1.0f;
        A(pose, upper) = {-1.0f * reach - 2.6f * lift, -0.15f * s, 0.0f};
        A(pose, upper + 1).x = -0.3f * reach - 0.4f * lift;
    }
    A(pose, kHead).x = 0.4f * reach - 0.3f * lift;
}

void Kick(float phase, kaClipLibrary::Pose& pose) {
    Relaxed(pose);
    const float e = Swell(phase);
    const float kick = e * e * e;
    A(pose, kRightThigh).x = -1.7f * kick - 0.3f * e;
    A(pose, kRightShin).x = std::max(0.0f, 1.2f * e - 1.25f * kick);
    A(pose, kRightFoot).x = 0.4f * kick;
    A(pose, kLeftShin).x = 0.25f * e;
    A(pose, kLeftThigh).x = -0.12f * e;
    A(pose, kSpine).x = -0.3f * kick;
    A(pose, kLeftUpperArm).y = -0.12f - 1.0f * e;
    A(pose, kRightUpperArm) = {0.6f * e, 0.12f + 0.8f * e, 0.0f};
    pose[kPelvis].position.z -= 40.0f * e;
}

void Dance(float phase, kaClipLibrary::Pose& pose) {
    const float s = Wave(phase, 1), bounce = 0.5f - 0.5f * std::cos(2.0f * kTwoPi * phase);
    Crouch(pose, 0.35f * bounce);
    pose[kPelvis].position.x += 70.0f * s;
    A(pose, kPelvis).y = -0.08f * s;
    A(pose, kChest).y = 0.12f * s;
    const float left = 0.5f + 0.5f * s, right = 0.5f - 0.5f * s;
    A(pose, kLeftUpperArm) = {-0.4f - 2.2f * left, -0.3f, 0.0f};
    A(pose, kRightUpperArm) = {-0.4f - 2.2f * right, 0.3f, 0.0f};
    A(pose, kLeftForearm).x = -0.9f * right;
    A(pose, kRightForearm).x = -0.9f * left;
    A(pose, kHead).z = 0.25f * s;
}

void FistPump(float phase, kaClipLibrary::Pose& pose) {
    Relaxed(pose);
    const float pump = 0.5f + 0.5f * Wave(phase, 2);
    A(pose, kRightUpperArm) = {-2.5f - 0.3f * pump, 0.25f, 0.0f};
    A(pose, kRightForearm).x = -0.3f - 0.9f * pump;
    A(pose, kLeftUpperArm) = {0.2f, -0.5f, 0.0f};
    A(pose, kLeftForearm).x = -1.6f;
    A(pose, kHead).x = -0.15f * pump;
    Crouch(pose, 0.2f * pump);
}

void ArmsRaised(float phase, kaClipLibrary::Pose& pose) {
    const float beat = 0.5f + 0.5f * Wave(phase, 2);
    A(pose, kLeftUpperArm) = {-0.2f, -2.4f - 0.2f * beat, 0.0f};
    A(pose, kRightUpperArm) = {-0.2f, 2.4f + 0.2f * beat, 0.0f};
    A(pose, kLeftForearm).x = -0.2f * beat;
    A(pose, kRightForearm).x = -0.2f * beat;
    A(pose, kHead).x = -0.3f;
    Crouch(pose, 0.25f * beat);
}

void Jump(float phase, kaClipLibrary::Pose& pose) {
    const float air = std::max(0.0f, Wave(phase, 1));
    const float squat = std::max(0.0f, -Wave(phase, 1));
    Crouch(pose, 0.9f * squat);
    pose[kPelvis].position.z += 420.0f * air;
    for (int thigh : {kLeftThigh, kRightThigh}) {
        A(pose, thigh).x -= 0.9f * air;
        A(pose, thigh + 1).x += 1.4f * air;
    }
    A(pose, kLeftUpperArm) = {-2.6f * air, -0.3f, 0.0f};
    A(pose, kRightUpperArm) = {-2.6f * air, 0.3f, 0.0f};
}

void Twist(float phase, kaClipLibrary::Pose& pose) {
    const float s = Wave(phase, 1);
    A(pose, kPelvis).z = 0.45f * s;
    A(pose, kChest).z = -0.35f * s;
    A(pose, kLeftUpperArm) = {0.0f, -1.45f, 0.0f};
    A(pose, kRightUpperArm) = {0.0f, 1.45f, 0.0f};
    A(pose, kLeftForearm).x = -0.8f - 0.4f * s;
    A(pose, kRightForearm).x = -0.8f + 0.4f * s;
    Crouch(pose, 0.3f + 0.15f * Wave(phase, 2));
}

void WaveHand(float phase, kaClipLibrary::Pose& pose) {
    Relaxed(pose);
    A(pose, kRightUpperArm) = {-0.3f, 2.5f + 0.35f * Wave(phase, 2), 0.0f};
    A(pose, kRightForearm).x = -0.4f;
    A(pose, kLeftUpperArm) = {0.2f, -0.5f, 0.0f};
    A(pose, kLeftForearm).x = -1.6f;
    A(pose, kHead).y = -0.15f * Wave(phase, 2);
}

// Lifted a full 1200 mm: the shot that plays it lowers the character by
// as much, so the leap starts from the floor.
constexpr float kLeapLift = 1200.0f;
// Likewise for the hop, lowered by 400 mm.
constexpr float kHopLift = 400.0f;

void Leap(float phase, kaClipLibrary::Pose& pose) {
    const float air = Swell(phase);
    pose[kPelvis].position.z += kLeapLift + 260.0f * air;
    A(pose, kLeftThigh).x = -0.9f * air;
    A(pose, kRightThigh).x = 0.7f * air;
    A(pose, kRightShin).x = 0.9f * air;
    A(pose, kLeftUpperArm) = {-0.3f, -2.3f * air - 0.2f, 0.0f};
    A(pose, kRightUpperArm) = {-0.3f, 2.3f * air + 0.2f, 0.0f};
    A(pose, kHead).x = -0.3f * air;
}

void Pumps(float phase, kaClipLibrary::Pose& pose) {
    const float beat = 0.5f + 0.5f * Wave(phase, 2);
    for (int side = 0; side < 2; ++side) {
        const int upper = side == 0 ? kLeftUpperArm : kRightUpperArm;
        const float s = side == 0 ? 1.0f : -1.0f;
        A(pose, upper) = {-0.9f - 0.5f * beat, -0.35f * s, 0.0f};
        A(pose, upper + 1).x = -2.0f + 0.6f * beat;
    }
    Crouch(pose, 0.3f + 0.3f * beat);
    A(pose, kHead).x = 0.2f * beat;
}

void JumpingJacks(float phase, kaClipLibrary::Pose& pose) {
    const float open = Swell(phase);
    pose[kPelvis].position.z += kHopLift + 120.0f * std::fabs(Wave(phase, 1));
    A(pose, kLeftUpperArm).y = -0.3f - 2.3f * open;
    A(pose, kRightUpperArm).y = 0.3f + 2.3f * open;
    A(pose, kLeftThigh).y = -0.3f * open;
    A(pose, kRightThigh).y = 0.3f * open;
}

void Fly(float phase, kaClipLibrary::Pose& pose) {
    A(pose, kRightUpperArm) = {-3.0f, 0.1f, 0.0f};
    A(pose, kRightForearm).x = -0.1f;
    A(pose, kLeftUpperArm).y = -0.1f;
    A(pose, kLeftThigh).x = 0.1f;
    A(pose, kRightThigh).x = 0.1f;
    A(pose, kLeftShin).x = 0.35f;
    A(pose, kRightShin).x = 0.2f;
    A(pose, kHead).x = -0.25f;
    pose[kPelvis].position.z += 30.0f * Wave(phase, 1);
}

}  // namespace

const std::vector<kaClipLibrary::Design>& kaClipLibrary::Designs() {
    static const std::vector<Design> designs = {
        {"qx_ajusta_luva.tda", 3.0f, 36, AdjustGlove},
        {"qx_ajusta_oculos.tda", 2.2f, 30, AdjustGlasses},
        {"qx_ajusta_tomates.tda", 2.2f, 30, AdjustTrousers},
        {"qx_corre.tda", 0.64f, 16, Run},
        {"qx_respira.tda", 3.0f, 24, Breathe},
        {"qx_ajusta_anal.tda", 2.4f, 30, AdjustSeat},
        {"qx_agarra_hoverboard.tda", 3.2f, 40, GrabHoverboard},
        {"qx_pontape.tda", 1.6f, 32, Kick},
        {"qx_dancar.tda", 1.2f, 24, Dance},
        {"qx_gozo1.tda", 1.0f, 20, FistPump},
        {"qx_gozo2.tda", 1.0f, 20, ArmsRaised},
        {"qx_gozo3.tda", 0.8f, 20, Jump},
        {"qx_gozo4.tda", 1.0f, 20, Twist},
        {"qx_gozo5.tda", 1.0f, 20, WaveHand},
        {"qx_gozo6.tda", 0.8f, 20, Leap},
        {"qx_gozo7.tda", 0.8f, 16, Pumps},
        {"qx_gozo8.tda", 0.8f, 16, JumpingJacks},
        {"qx_voa.tda", 2.0f, 20, Fly},
    };
    return designs;
}

kaClipSpec kaClipLibrary::Build(const Design& design) {
    const std::vector<kaBoneSpec> skeleton = kaCharacterBuilder::Skeleton();
    std::vector<Pose> poses;
    for (int frame = 0; frame < design.frames; ++frame) {
        Pose pose;
        for (int b = 0; b < kBoneCount; ++b) pose[b] = {skeleton[b].position, skeleton[b].angles};
        design.pose(float(frame) / float(design.frames), pose);
        poses.push_back(pose);
    }
    poses.push_back(poses.front());

    kaClipSpec clip;
    clip.name = std::string(design.file, std::string(design.file).find('.'));
    clip.duration = design.duration;
    clip.frameCount = design.frames;
    for (int b = 0; b < kBoneCount; ++b) {
        kaTrackSpec track{skeleton[b].name, {}};
        for (const Pose& pose : poses) track.keys.push_back(pose[b]);
        clip.tracks.push_back(track);
    }
    return clip;
}
