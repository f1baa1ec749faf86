#include "kaSceneLayout.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr kaVec3 kStart{300.0f, 3450.0f, 1320.0f};
constexpr kaVec3 kRunStart{300.0f, 1950.0f, 1320.0f};
constexpr kaVec3 kTrackStart{919.0f, -51785.0f, 1267.0f};
constexpr kaVec3 kOrigin{0.0f, 0.0f, 0.0f};
constexpr kaPlacement kRule = kaPlacement::kRule;
constexpr kaPlacement kFloor = kaPlacement::kFloor;
constexpr kaPlacement kBone = kaPlacement::kBone;

// How each shot stages the character and the camera; the times and paths
// come from the schedule.
struct Staging {
    const char* stage;
    bool sky;
    float pathRate;
    float cameraScale;
    float characterScale;  // 0: no character path
    kaPlacement placement;
    kaVec3 target;
    float lift;
    const char* clip;
    bool frozen;  // the shot holds the previous one's last frame
};

const Staging kStaging[kSceneCount] = {
    {"stage1.tdm", true, 2, 1, 0, kRule, kStart, 2000, "qx_ajusta_luva.tda", false},
    {"stage1.tdm", true, 2, 1, 0, kRule, kStart, 2000, "qx_ajusta_oculos.tda", false},
    {"stage1.tdm", true, 2, 1, 0, kRule, kStart, 2500, "qx_respira.tda", false},
    {"stage1.tdm", true, 2, 1, 0, kRule, kStart, 2000, "qx_ajusta_tomates.tda", false},
    {"stage1.tdm", true, 2, 1, 0, kRule, kStart, 2500, "qx_respira.tda", false},
    {"stage1.tdm", true, 2, 1, 0, kRule, kStart, 2500, "qx_ajusta_anal.tda", false},
    {"stage1.tdm", true, 2, 1, 0, kRule, kStart, 2500, "qx_respira.tda", false},
    {"stage1.tdm", true, 2, 1, 0.06f, kaPlacement::kRun, kRunStart, 2500, "qx_corre.tda", false},
    {"stage1.tdm", true, 2, 1, 0.06f, kaPlacement::kRun, kRunStart, 2500, "qx_corre.tda", true},
    {"stage2.tdm", true, 2, 0.5f, 0.026f, kaPlacement::kTrack, kTrackStart, 2500, "qx_corre.tda", false},
    {"closeStage.tdm", false, 2, 1, 0, kFloor, kOrigin, 2000, "qx_agarra_hoverboard.tda", false},
    {"closeStage2.tdm", false, 1, 1, 0, kBone, kOrigin, 0, "qx_pontape.tda", false},
    {"closeStage2.tdm", false, 1, 1, 0, kBone, {2000.0f, -5000.0f, 0.0f}, 0, "qx_dancar.tda", false},
    {"Final.tdm", false, 1, 1, 0, kFloor, kOrigin, 2000, "qx_gozo1.tda", false},
    {"Final.tdm", false, 1, 1, 0, kFloor, kOrigin, 2000, "qx_gozo2.tda", false},
    {"Final.tdm", false, 1, 1, 0, kFloor, kOrigin, 2000, "qx_gozo3.tda", false},
    {"Final.tdm", false, 1, 1, 0, kFloor, kOrigin, 2000, "qx_gozo4.tda", false},
    {"Final.tdm", false, 1, 1, 0, kFloor, kOrigin, 2000, "qx_gozo5.tda", false},
    {"Final.tdm", false, 1, 1, 0, kFloor, {0.0f, 0.0f, -1200.0f}, 2000, "qx_gozo6.tda", false},
    {"Final.tdm", false, 1, 1, 0, kFloor, kOrigin, 2000, "qx_gozo7.tda", false},
    {"Final.tdm", false, 1, 1, 0, kFloor, {0.0f, 0.0f, -400.0f}, 2000, "qx_gozo8.tda", false},
    {"Final.tdm", false, 1, 1.5f, 0.3f, kaPlacement::kRise, kOrigin, 0, "qx_voa.tda", false},
    {"Final.tdm", true, 1, 2, 0.8f, kaPlacement::kFloat, kOrigin, 0, "qx_voa.tda", false},
};

constexpr float kMoving = -1.0f;

std::vector<kaShotSpec> BuildShots() {
    std::vector<kaShotSpec> shots;
    const char* cameraPath = nullptr;
    const char* characterPath = nullptr;
    for (unsigned number = 1; number <= kSceneCount; ++number) {
        const kaSceneSchedule& schedule = SceneSchedule(number);
        const Staging& staging = kStaging[number - 1];
        if (schedule.cameraPath != nullptr) cameraPath = schedule.cameraPath;
        if (schedule.characterPath != nullptr) characterPath = schedule.characterPath;
        char scene[16];
        std::snprintf(scene, sizeof scene, "Scene%02u", number);
        // The first shot runs from the start of the music.
        const float start = static_cast<float>(std::max(schedule.after, 0.0));
        // A frozen shot keeps p where the previous shot left it.
        const float frozenP = staging.frozen && !shots.empty()
                                  ? shots.back().pathRate * (shots.back().end - shots.back().start)
                                  : kMoving;
        shots.push_back({scene, start, static_cast<float>(schedule.upTo), staging.stage, staging.sky,
                         cameraPath, staging.pathRate, staging.cameraScale,
                         staging.characterScale != 0 ? characterPath : nullptr, staging.characterScale,
                         staging.placement, staging.target, staging.lift, staging.clip, frozenP});
    }
    return shots;
}

}  // namespace

const std::vector<kaShotSpec>& Shots() {
    static const std::vector<kaShotSpec> shots = BuildShots();
    return shots;
}

std::vector<kaFlashWindow> Flashes() {
    std::vector<kaFlashWindow> flashes;
    for (unsigned number = 1; number <= kSceneCount; ++number) {
        const kaSceneSchedule& schedule = SceneSchedule(number);
        if (schedule.flashCount != 0) {
            flashes.insert(flashes.end(), schedule.flashes, schedule.flashes + schedule.flashCount);
        }
    }
    return flashes;
}
