// Every shot replayed over its whole time window from the media: where the
// shot puts the character and aims the camera along its path, and whether
// the picture works there.  At every sample the camera must look at a
// target in front of it; the character must be wholly in view, large
// enough and not hidden by the stage; every ray of the view that meets the
// stage must meet a face's front (a back face first means the eye is inside
// a wall, or a hole where the player culls the face); and in the shots
// without sky the eye must be inside the stage's bounds and every ray of
// the view must meet the stage, so the stage covers the picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "kaAnimClip.h"
#include "kaCamera.h"
#include "kaMediaFolder.h"
#include "kaMeshBuilder.h"
#include "kaPosedCharacter.h"
#include "kaSceneLayout.h"
#include "kaStageGeometry.h"

namespace {

// Frames a second sampled.
constexpr float kSampleStep = 0.05f;
// The character must fill at least this much of the picture's height
// (as a fraction of the height from -1 to 1 in view coordinates)...
constexpr float kSmallest = 0.12f;
// ...and stay inside the picture by this margin.
constexpr float kEdge = 1.0f;
// View rays cast across the picture, this many a side.
constexpr int kRays = 7;

// Samples of each clip's pose per key interval.
constexpr int kPoseSamples = 2;

// The camera as the shot leaves it: eye, target and view basis (forward
// points from the target to the eye), and the character's displacement.
struct Frame {
    kaVec3 eye, target, displacement;
    kaVec3 right, up, forward;
};

struct Measure {
    int samples = 0, failures = 0;
    float nearest = 1e30f, farthest = 0.0f;  // eye to character centre
    float smallest = 1e30f, largest = 0.0f;  // character's height in view
    std::string firstFailure;
};

kaVec3 V(const float* p) { return {p[0], p[1], p[2]}; }
kaVec3 V(const kaVector3f& p) { return {p.x, p.y, p.z}; }
kaVector3f F(kaVec3 p) { return {p.x, p.y, p.z}; }

class Scenes {
public:
    bool Load() {
        if (!posed.Load()) return false;
        centre = V(posed.character.centre);
        bone = V(posed.character.position);
        for (const kaShotSpec& shot : Shots()) {
            if (!LoadPath(shot.cameraPath) || (shot.characterPath && !LoadPath(shot.characterPath))) return false;
            if (!stages.count(shot.stage) && !stages[shot.stage].Load(kaMediaFolder::file(std::string("xModels/") + shot.stage)))
                return false;
            if (!boxes.count(shot.clip) && !LoadClipBox(shot.clip)) return false;
        }
        return true;
    }

    // Where a shot has put the character and the camera at path parameter
    // p; the shot's camera follows its path as the player's does.
    Frame At(const kaShotSpec& shot, float p) {
        const kaVec3 P = shot.characterPath ? V(paths.at(shot.characterPath).PointAt(shot.characterScale * p)) : kaVec3{0, 0, 0};
        const kaVec3 T = shot.target, C = centre, lift{0, 0, shot.lift};
        kaVec3 D{0, 0, 0}, target{0, 0, 0}, offset{0, 0, 0};
        switch (shot.placement) {
            case kaPlacement::kRule: D = T - C; target = D + lift; break;
            case kaPlacement::kRun: D = T - C + kaVec3{P.x, P.y, 0}; target = D + lift; offset = P; break;
            case kaPlacement::kTrack:
                D = T - C + kaVec3{P.x - 600.0f, P.y, 0};
                target = D + lift;
                offset = {P.x, P.y, 0};
                break;
            case kaPlacement::kFloor: D = {T.x - C.x, T.y - C.y, T.z}; target = D + lift; break;
            case kaPlacement::kBone: D = {T.x - bone.x, T.y - bone.y, T.z}; target = {0, 0, 1000}; break;
            case kaPlacement::kRise: D = T - C + P; target = D; offset = {0, 0, P.z + 2000.0f}; break;
            case kaPlacement::kFloat: D = {T.x, T.y, T.z + P.z}; target = D; offset = {0, -2000.0f, -1000.0f}; break;
        }
        kaCamera& camera = paths.at(shot.cameraPath);
        camera.target = F(target);
        camera.Follow(shot.cameraScale * p, F(offset));
        return {V(camera.eye), target, D, V(camera.right), V(camera.up), V(camera.forward)};
    }

    kaPosedCharacter posed;
    kaVec3 centre{0, 0, 0}, bone{0, 0, 0};
    std::map<std::string, kaCamera> paths;
    std::map<std::string, kaStageGeometry> stages;
    std::map<std::string, kaPosedCharacter::Box> boxes;  // per clip, over the whole loop

private:
    bool LoadPath(const char* name) {
        if (paths.count(name)) return true;
        paths[name].Init(800, 600);
        return paths[name].LoadPath(name) == 0;
    }
    bool LoadClipBox(const char* name) {
        kaAnimClip clip;
        if (!clip.LoadClip(name)) return false;
        kaPosedCharacter::Box& box = boxes[name];
        const int samples = clip.frameCount * kPoseSamples;
        for (int i = 0; i < samples; ++i) {
            const kaPosedCharacter::Box pose = posed.PoseBox(clip, clip.durationMs * float(i) / float(samples));
            box.Add(pose.minimum);
            box.Add(pose.maximum);
        }
        return true;
    }
};

// The camera's view: its basis with the projection's field of view and
// aspect.
struct View {
    kaVec3 eye, right, up, forward;

    explicit View(const Frame& f) : eye(f.eye), right(f.right), up(f.up), forward(f.forward) {}
    // Picture coordinates (-1 to 1 across the view); false behind the near plane.
    bool Project(kaVec3 p, float& x, float& y) const {
        const kaVec3 d = p - eye;
        const float depth = -Dot(d, forward);
        if (depth <= kNearPlane) return false;
        const float t = std::tan(kFieldOfViewDegrees * 0.5f * 3.14159265f / 180.0f);
        x = Dot(d, right) / (depth * t * kAspect);
        y = Dot(d, up) / (depth * t);
        return true;
    }
    // Direction through picture coordinates (x, y).
    kaVec3 Ray(float x, float y) const {
        const float t = std::tan(kFieldOfViewDegrees * 0.5f * 3.14159265f / 180.0f);
        return Normalised(right * (x * t * kAspect) + up * (y * t) - forward);
    }
};

class SceneFramingTest : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() {
        kaMediaFolder folder;
        scenes = new Scenes;
        loaded = scenes->Load();
    }
    static void TearDownTestSuite() {
        delete scenes;
        scenes = nullptr;
    }

    // Every reason the frame fails, or an empty text.
    static std::string Check(const kaShotSpec& shot, const Frame& frame, Measure& m) {
        std::string why;
        const kaStageGeometry& stage = scenes->stages.at(shot.stage);
        const kaVec3 toTarget = frame.target - frame.eye;
        if (Dot(toTarget, toTarget) <= kNearPlane * kNearPlane) why += " target not in front;";
        if (!shot.sky && !stage.Contains(frame.eye)) why += " eye outside the stage's bounds;";

        const View view(frame);
        const kaPosedCharacter::Box& clipBox = scenes->boxes.at(shot.clip);
        const kaVec3 lo = V(clipBox.minimum) + frame.displacement, hi = V(clipBox.maximum) + frame.displacement;
        float top = -1e30f, bottom = 1e30f;
        bool inView = true;
        for (int corner = 0; corner < 8; ++corner) {
            const kaVec3 p{corner & 1 ? hi.x : lo.x, corner & 2 ? hi.y : lo.y, corner & 4 ? hi.z : lo.z};
            float x = 0.0f, y = 0.0f;
            inView = view.Project(p, x, y) && std::fabs(x) <= kEdge && std::fabs(y) <= kEdge && inView;
            top = std::max(top, y);
            bottom = std::min(bottom, y);
        }
        const kaVec3 middle = (lo + hi) * 0.5f;
        const float height = (top - bottom) * 0.5f;
        if (!inView) why += " character not wholly in view;";
        if (height < kSmallest) why += " character too small;";
        const kaVec3 high = middle + kaVec3{0, 0, 0.4f * (hi.z - lo.z)};
        const kaVec3 low = middle - kaVec3{0, 0, 0.4f * (hi.z - lo.z)};
        if (stage.Blocks(frame.eye, middle) || stage.Blocks(frame.eye, high) || stage.Blocks(frame.eye, low))
            why += " stage hides the character;";
        for (int i = 0; i < kRays * kRays; ++i) {
            const float x = -1.0f + 2.0f * float(i % kRays) / float(kRays - 1);
            const float y = -1.0f + 2.0f * float(i / kRays) / float(kRays - 1);
            const kaStageGeometry::Hit hit = stage.Cast(frame.eye, view.Ray(x, y));
            const bool covered = hit.distance > 0.0f && hit.distance < kVisibleDistance;
            if (covered && !hit.front) {
                why += " a view ray meets the back of a face;";
                break;
            }
            if (!covered && !shot.sky) {
                why += " the stage leaves the view uncovered;";
                break;
            }
        }
        const kaVec3 d = middle - frame.eye;
        const float distance = std::sqrt(Dot(d, d));
        m.nearest = std::min(m.nearest, distance);
        m.farthest = std::max(m.farthest, distance);
        m.smallest = std::min(m.smallest, height);
        m.largest = std::max(m.largest, height);
        return why;
    }

    static Scenes* scenes;
    static bool loaded;
};

Scenes* SceneFramingTest::scenes = nullptr;
bool SceneFramingTest::loaded = false;

TEST_P(SceneFramingTest, CameraAndCharacterFitTheStage) {
    ASSERT_TRUE(loaded);
    const kaShotSpec& shot = Shots()[GetParam()];
    Measure m;
    // The first active frame draws nothing; from the next one p grows with time.
    for (float t = shot.start + kSampleStep; t <= shot.end + 1e-4f; t += kSampleStep) {
        const float p = shot.frozenP >= 0.0f ? shot.frozenP : shot.pathRate * (std::min(t, shot.end) - shot.start);
        const Frame frame = scenes->At(shot, p);
        const std::string why = Check(shot, frame, m);
        ++m.samples;
        if (why.empty()) continue;
        if (m.failures++ == 0) {
            char where[160];
            std::snprintf(where, sizeof where, "t %.2f eye (%.0f %.0f %.0f) target (%.0f %.0f %.0f):", double(t),
                          double(frame.eye.x), double(frame.eye.y), double(frame.eye.z), double(frame.target.x),
                          double(frame.target.y), double(frame.target.z));
            m.firstFailure = where + why;
        }
    }
    std::printf("%s %-15s %s %3d samples, eye %6.0f-%6.0f mm from the character, its height %.2f-%.2f of the view%s\n",
                shot.scene.c_str(), shot.stage, shot.sky ? "sky " : "hall", m.samples, double(m.nearest), double(m.farthest),
                double(m.smallest), double(m.largest), m.failures ? ", FAILS" : "");
    EXPECT_EQ(m.failures, 0) << shot.scene << " fails in " << m.failures << " of " << m.samples
                             << " samples; first at " << m.firstFailure;
}

INSTANTIATE_TEST_SUITE_P(Shots, SceneFramingTest, ::testing::Range(0, int(kSceneCount)),
                         [](const auto& info) { return Shots()[info.param].scene; });

}  // namespace
