#include "Schedule.h"

#include <array>
#include <limits>

namespace {

constexpr double kNoStart = -std::numeric_limits<double>::infinity();

constexpr kaFlashWindow kFlashes05[] = {{17.1f, 17.6f}, {17.8f, 18.45f}, {18.65f, 19.0f}};
constexpr kaFlashWindow kFlashes07[] = {{24.1f, 24.6f}, {24.8f, 25.45f}, {25.65f, 26.0f}};
constexpr kaFlashWindow kFlashes08[] = {{30.1f, 30.6f}, {30.8f, 31.45f}, {31.65f, 32.0f}};
constexpr kaFlashWindow kFlashes10[] = {{35.1f, 35.6f}, {35.8f, 36.45f}, {36.65f, 37.0f},
                                        {37.1f, 37.6f}, {37.8f, 38.45f}, {38.65f, 39.0f},
                                        {39.1f, 39.6f}};
constexpr kaFlashWindow kFlashes11[] = {{40.4f, 41.05f}, {41.25f, 41.6f}, {44.1f, 44.6f},
                                        {44.8f, 45.45f}, {45.65f, 46.0f}};
constexpr kaFlashWindow kFlashes15[] = {{84.3f, 84.95f}, {85.15f, 85.5f}, {88.0f, 88.5f},
                                        {88.7f, 89.35f}, {89.55f, 89.9f}};
constexpr kaFlashWindow kFlashes17[] = {{90.8f, 91.45f}, {91.65f, 92.0f}, {94.5f, 95.0f},
                                        {95.2f, 95.85f}, {96.05f, 96.4f}};
constexpr kaFlashWindow kFlashes18[] = {{96.8f, 97.45f}, {97.65f, 98.0f}, {100.5f, 101.0f},
                                        {101.2f, 101.85f}, {102.05f, 102.4f}};
constexpr kaFlashWindow kFlashes19[] = {{102.9f, 103.55f}, {103.75f, 104.1f}, {106.6f, 107.1f},
                                        {107.3f, 107.95f}, {108.15f, 108.5f}};

template <unsigned N>
constexpr unsigned Count(const kaFlashWindow (&)[N]) {
    return N;
}

// Window, clip slot and cross-fade, camera path, character path, flashes.
constexpr std::array<kaSceneSchedule, kSceneCount> kSchedule = {{
    {kNoStart, 7.3, 0, 1000, "cPath01.spl", nullptr, nullptr, 0},
    {7.3, 9.5, 1, 400, "cPath02.spl", nullptr, nullptr, 0},
    {9.5, 12.6, 4, 1500, "cPath03.spl", nullptr, nullptr, 0},
    {12.6, 17.0, 2, 0, "cPath04.spl", nullptr, nullptr, 0},
    {17.0, 18.7, 4, 0, "cPath02.spl", nullptr, kFlashes05, Count(kFlashes05)},
    {18.7, 23.5, 5, 0, "cPath07.spl", nullptr, nullptr, 0},
    {23.5, 25.2, 4, 400, "cPath02.spl", nullptr, kFlashes07, Count(kFlashes07)},
    {25.2, 31.5, 3, 500, "cPath06.spl", "qxPath01.spl", kFlashes08, Count(kFlashes08)},
    {31.5, 34.0, -1, 0, nullptr, nullptr, nullptr, 0},
    {34.0, 40.0, 3, 0, "cPath09.spl", "qxPath02.spl", kFlashes10, Count(kFlashes10)},
    {40.0, 50.0, 8, 0, "cPath10.spl", nullptr, kFlashes11, Count(kFlashes11)},
    {50.0, 54.5, 9, 0, "cPath12.spl", nullptr, nullptr, 0},
    {54.5, 78.0, 10, 0, "cPath10.spl", nullptr, nullptr, 0},
    {78.0, 82.0, 11, 0, "cPath13.spl", nullptr, nullptr, 0},
    {82.0, 86.0, 12, 200, nullptr, nullptr, kFlashes15, Count(kFlashes15)},
    {86.0, 90.0, 13, 200, nullptr, nullptr, nullptr, 0},
    {90.0, 94.0, 14, 200, nullptr, nullptr, kFlashes17, Count(kFlashes17)},
    {94.0, 100.0, 15, 200, nullptr, nullptr, kFlashes18, Count(kFlashes18)},
    {100.0, 104.0, 16, 0, nullptr, nullptr, kFlashes19, Count(kFlashes19)},
    {104.0, 108.0, 17, 0, nullptr, nullptr, nullptr, 0},
    {108.0, 112.0, 18, 0, nullptr, nullptr, nullptr, 0},
    {112.0, 115.5, 19, 0, "cPath13.spl", "qxPath03.spl", nullptr, 0},
    {115.5, kDemoEnd, 19, 0, "cPath14.spl", "qxPath03.spl", nullptr, 0},
}};

}  // namespace

const kaSceneSchedule& SceneSchedule(unsigned number) { return kSchedule.at(number - 1); }
