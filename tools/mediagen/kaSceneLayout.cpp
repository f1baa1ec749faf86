#include "kaSceneLayout.h"

namespace {

constexpr kaVec3 kStart{300.0f, 3450.0f, 1320.0f};
constexpr kaVec3 kRunStart{300.0f, 1950.0f, 1320.0f};
constexpr kaVec3 kTrackStart{919.0f, -51785.0f, 1267.0f};
constexpr kaVec3 kOrigin{0.0f, 0.0f, 0.0f};
constexpr kaPlacement kRule = kaPlacement::kRule;
constexpr kaPlacement kFloor = kaPlacement::kFloor;
constexpr float kMoving = -1.0f;

}  // namespace

const kaShotSpec kShots[kShotCount] = {
    {"Scene01", 0.0f, 7.3f, "stage1.tdm", true, "cPath01.spl", 2, 1, nullptr, 0, kRule, kStart, 2000, "qx_ajusta_luva.tda", kMoving},
    {"Scene02", 7.3f, 9.5f, "stage1.tdm", true, "cPath02.spl", 2, 1, nullptr, 0, kRule, kStart, 2000, "qx_ajusta_oculos.tda", kMoving},
    {"Scene03", 9.5f, 12.6f, "stage1.tdm", true, "cPath03.spl", 2, 1, nullptr, 0, kRule, kStart, 2500, "qx_respira.tda", kMoving},
    {"Scene04", 12.6f, 17.0f, "stage1.tdm", true, "cPath04.spl", 2, 1, nullptr, 0, kRule, kStart, 2000, "qx_ajusta_tomates.tda", kMoving},
    {"Scene05", 17.0f, 18.7f, "stage1.tdm", true, "cPath02.spl", 2, 1, nullptr, 0, kRule, kStart, 2500, "qx_respira.tda", kMoving},
    {"Scene06", 18.7f, 23.5f, "stage1.tdm", true, "cPath07.spl", 2, 1, nullptr, 0, kRule, kStart, 2500, "qx_ajusta_anal.tda", kMoving},
    {"Scene07", 23.5f, 25.2f, "stage1.tdm", true, "cPath02.spl", 2, 1, nullptr, 0, kRule, kStart, 2500, "qx_respira.tda", kMoving},
    {"Scene08", 25.2f, 31.5f, "stage1.tdm", true, "cPath06.spl", 2, 1, "qxPath01.spl", 0.06f, kaPlacement::kRun, kRunStart, 2500, "qx_corre.tda", kMoving},
    {"Scene09", 31.5f, 34.0f, "stage1.tdm", true, "cPath06.spl", 2, 1, "qxPath01.spl", 0.06f, kaPlacement::kRun, kRunStart, 2500, "qx_corre.tda", 2.0f * (31.5f - 25.2f)},
    {"Scene10", 34.0f, 40.0f, "stage2.tdm", true, "cPath09.spl", 2, 0.5f, "qxPath02.spl", 0.026f, kaPlacement::kTrack, kTrackStart, 2500, "qx_corre.tda", kMoving},
    {"Scene11", 40.0f, 50.0f, "closeStage.tdm", false, "cPath10.spl", 2, 1, nullptr, 0, kFloor, kOrigin, 2000, "qx_agarra_hoverboard.tda", kMoving},
    {"Scene12", 50.0f, 54.5f, "closeStage2.tdm", false, "cPath12.spl", 1, 1, nullptr, 0, kaPlacement::kBone, kOrigin, 0, "qx_pontape.tda", kMoving},
    {"Scene13", 54.5f, 78.0f, "closeStage2.tdm", false, "cPath10.spl", 1, 1, nullptr, 0, kaPlacement::kBone, {2000.0f, -5000.0f, 0.0f}, 0, "qx_dancar.tda", kMoving},
    {"Scene14", 78.0f, 82.0f, "Final.tdm", false, "cPath13.spl", 1, 1, nullptr, 0, kFloor, kOrigin, 2000, "qx_gozo1.tda", kMoving},
    {"Scene15", 82.0f, 86.0f, "Final.tdm", false, "cPath13.spl", 1, 1, nullptr, 0, kFloor, kOrigin, 2000, "qx_gozo2.tda", kMoving},
    {"Scene16", 86.0f, 90.0f, "Final.tdm", false, "cPath13.spl", 1, 1, nullptr, 0, kFloor, kOrigin, 2000, "qx_gozo3.tda", kMoving},
    {"Scene17", 90.0f, 94.0f, "Final.tdm", false, "cPath13.spl", 1, 1, nullptr, 0, kFloor, kOrigin, 2000, "qx_gozo4.tda", kMoving},
    {"Scene18", 94.0f, 100.0f, "Final.tdm", false, "cPath13.spl", 1, 1, nullptr, 0, kFloor, kOrigin, 2000, "qx_gozo5.tda", kMoving},
    {"Scene19", 100.0f, 104.0f, "Final.tdm", false, "cPath13.spl", 1, 1, nullptr, 0, kFloor, {0.0f, 0.0f, -1200.0f}, 2000, "qx_gozo6.tda", kMoving},
    {"Scene20", 104.0f, 108.0f, "Final.tdm", false, "cPath13.spl", 1, 1, nullptr, 0, kFloor, kOrigin, 2000, "qx_gozo7.tda", kMoving},
    {"Scene21", 108.0f, 112.0f, "Final.tdm", false, "cPath13.spl", 1, 1, nullptr, 0, kFloor, {0.0f, 0.0f, -400.0f}, 2000, "qx_gozo8.tda", kMoving},
    {"Scene22", 112.0f, 115.5f, "Final.tdm", false, "cPath13.spl", 1, 1.5f, "qxPath03.spl", 0.3f, kaPlacement::kRise, kOrigin, 0, "qx_voa.tda", kMoving},
    {"Scene23", 115.5f, 117.7f, "Final.tdm", true, "cPath14.spl", 1, 2, "qxPath03.spl", 0.8f, kaPlacement::kFloat, kOrigin, 0, "qx_voa.tda", kMoving},
};

const kaFlashSpec kFlashes[kFlashCount] = {
    {17.1f, 17.6f},   {17.8f, 18.45f},  {18.65f, 19.0f},  {24.1f, 24.6f},  {24.8f, 25.45f},
    {25.65f, 26.0f},  {30.1f, 30.6f},   {30.8f, 31.45f},  {31.65f, 32.0f}, {35.1f, 35.6f},
    {35.8f, 36.45f},  {36.65f, 37.0f},  {37.1f, 37.6f},   {37.8f, 38.45f}, {38.65f, 39.0f},
    {39.1f, 39.6f},   {40.4f, 41.05f},  {41.25f, 41.6f},  {44.1f, 44.6f},  {44.8f, 45.45f},
    {45.65f, 46.0f},  {84.3f, 84.95f},  {85.15f, 85.5f},  {88.0f, 88.5f},  {88.7f, 89.35f},
    {89.55f, 89.9f},  {90.8f, 91.45f},  {91.65f, 92.0f},  {94.5f, 95.0f},  {95.2f, 95.85f},
    {96.05f, 96.4f},  {96.8f, 97.45f},  {97.65f, 98.0f},  {100.5f, 101.0f}, {101.2f, 101.85f},
    {102.05f, 102.4f}, {102.9f, 103.55f}, {103.75f, 104.1f}, {106.6f, 107.1f}, {107.3f, 107.95f},
    {108.15f, 108.5f},
};
