#include "kaPathLibrary.h"

#include <cmath>
#include <cstdio>
#include <functional>

#include "kaSceneLayout.h"

namespace {

constexpr float kDegrees = 3.14159265f / 180.0f;

using Curve = std::function<kaVec3(float)>;

kaPathLibrary::Path Sample(const std::string& file, const Curve& curve) {
    const int last = int(std::ceil(kaPathLibrary::Reach(file))) + 2;
    kaPathLibrary::Path path{file, {}};
    for (int j = 0; j <= last; ++j) path.points.push_back(curve(float(j)));
    path.points.push_back(curve(-1.0f));
    return path;
}

// A camera moving round a vertical axis: radius, angle (degrees, from +x)
// and height change evenly from the first value to the second over the
// parameters the path's shots reach.
struct Orbit {
    kaVec3 centre;
    float radius0, radius1;
    float angle0, angle1;
    float height0, height1;
};

Curve OrbitCurve(const Orbit& orbit, float reach) {
    return [orbit, reach](float t) {
        const float s = t / reach;
        const float r = orbit.radius0 + (orbit.radius1 - orbit.radius0) * s;
        const float a = (orbit.angle0 + (orbit.angle1 - orbit.angle0) * s) * kDegrees;
        const float z = orbit.height0 + (orbit.height1 - orbit.height0) * s;
        return kaVec3{orbit.centre.x + r * std::cos(a), orbit.centre.y + r * std::sin(a), z};
    };
}

kaPathLibrary::Path OrbitPath(const std::string& file, const Orbit& orbit) {
    return Sample(file, OrbitCurve(orbit, kaPathLibrary::Reach(file)));
}

// A straight run: the point moves by step per unit of parameter.
kaPathLibrary::Path LinePath(const std::string& file, kaVec3 step) {
    return Sample(file, [step](float t) { return step * t; });
}

// The character's feet in a shot whose character path is still at 0.
kaVec3 Feet(const kaShotSpec& shot, kaVec3 centre) { return shot.target - centre; }

const kaShotSpec& Shot(int number) { return Shots()[number - 1]; }

// Camera paths around the character on the start platform (shots 1-7).
void PlatformPaths(std::vector<kaPathLibrary::Path>& paths, kaVec3 centre) {
    const kaVec3 feet = Feet(Shot(1), centre);
    paths.push_back(OrbitPath("cPath01.spl", {feet, 9000, 6000, -150, -40, 6000, 3600}));
    paths.push_back(OrbitPath("cPath02.spl", {feet, 5800, 5400, -75, -105, 3500, 3300}));
    paths.push_back(OrbitPath("cPath03.spl", {feet, 7000, 5600, -120, -80, 3800, 3400}));
    paths.push_back(OrbitPath("cPath04.spl", {feet, 6200, 6200, -20, 60, 3300, 3600}));
    paths.push_back(OrbitPath("cPath07.spl", {feet, 6500, 6500, 200, 120, 3700, 3300}));
}

// Chase cameras: the shots add the character path's point to the eye, so
// these circle the runner's starting place.
void ChasePaths(std::vector<kaPathLibrary::Path>& paths, kaVec3 centre) {
    const kaVec3 run = Feet(Shot(8), centre);
    paths.push_back(OrbitPath("cPath06.spl", {run, 6000, 6500, -60, 95, 3400, 3800}));
    kaVec3 track = Feet(Shot(10), centre);
    track.x -= 600.0f;
    paths.push_back(OrbitPath("cPath09.spl", {track, 6000, 6000, 65, 115, 3300, 3000}));
}

// The hall shots.  cPath10 serves two: the character at the origin
// (shot 11) and the dancer at (2000, -5000) while the camera looks at the
// origin (shot 13), so it swings on the side away from the dancer.
void HallPaths(std::vector<kaPathLibrary::Path>& paths) {
    const float away = std::atan2(5000.0f, -2000.0f) / kDegrees;
    paths.push_back(Sample("cPath10.spl", [away](float t) {
        const float a = (away + 35.0f * std::sin(t * 2.0f * 3.14159265f / 12.0f)) * kDegrees;
        const float r = 8000.0f + 700.0f * std::sin(t * 2.0f * 3.14159265f / 8.0f);
        const float z = 2300.0f + 600.0f * std::sin(t * 2.0f * 3.14159265f / 9.0f);
        return kaVec3{r * std::cos(a), r * std::sin(a), z};
    }));
    paths.push_back(OrbitPath("cPath12.spl", {{0, 0, 0}, 5200, 5000, -40, -10, 1100, 1500}));
    paths.push_back(OrbitPath("cPath13.spl", {{0, 0, 0}, 6500, 6500, -120, -20, 2600, 3000}));
    paths.push_back(Sample("cPath14.spl", [](float t) {
        const float s = t / kaPathLibrary::Reach("cPath14.spl");
        return kaVec3{-1500.0f + 3000.0f * s, -4000.0f, 3000.0f + 8000.0f * s};
    }));
}

// Character paths: straight runs down the two tracks, and the flight up
// through the tower.
void CharacterPaths(std::vector<kaPathLibrary::Path>& paths, kaVec3 centre) {
    constexpr float kRunLength = -47500.0f;
    paths.push_back(LinePath("qxPath01.spl", {0, kRunLength, 0}));
    // The runner stops this far before the hoverboard.
    constexpr float kStopShort = 2600.0f;
    const kaShotSpec& track = Shot(10);
    const float reach = kaPathLibrary::Reach("qxPath02.spl");
    const kaVec3 end{kHoverboardOffset.x - (track.target.x - 600.0f),
                     kHoverboardOffset.y + kStopShort - track.target.y, 0.0f};
    paths.push_back(LinePath("qxPath02.spl", end * (1.0f / reach)));
    // Heights of the flight; the first puts the feet on the floor.
    const float start = centre.z;
    paths.push_back({"qxPath03.spl",
                     {{0, 0, start}, {0, 0, start + 5000}, {0, 0, 22000}, {0, 0, 60000},
                      {0, 0, start - 5000}}});
}

}  // namespace

float kaPathLibrary::Reach(const std::string& file) {
    float reach = 0.0f;
    for (const kaShotSpec& shot : Shots()) {
        const float p = shot.pathRate * (shot.end - shot.start);
        if (file == shot.cameraPath) reach = std::fmax(reach, shot.cameraScale * p);
        if (shot.characterPath != nullptr && file == shot.characterPath)
            reach = std::fmax(reach, shot.characterScale * p);
    }
    return reach;
}

std::vector<kaPathLibrary::Path> kaPathLibrary::Build(kaVec3 characterCentre) {
    std::vector<Path> paths;
    PlatformPaths(paths, characterCentre);
    ChasePaths(paths, characterCentre);
    HallPaths(paths);
    CharacterPaths(paths, characterCentre);
    return paths;
}

std::string kaPathLibrary::Text(const Path& path) {
    std::string text;
    char line[96];
    for (const kaVec3& p : path.points) {
        std::snprintf(line, sizeof line, "%.2f %.2f %.2f\n", double(p.x), double(p.y), double(p.z));
        text += line;
    }
    return text;
}
