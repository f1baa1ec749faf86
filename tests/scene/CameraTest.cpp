#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "kaCamera.h"
#include "kaDeviceGlobal.h"
#include "kaMatrixMath.h"
#include "kaMediaTree.h"
#include "kaRecordingDevice.h"
#include "kaRecordingMessageBoxes.h"

namespace {

void ExpectPoint(const kaVector3f& actual, float x, float y, float z, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
    EXPECT_NEAR(actual.z, z, tolerance);
}

void ExpectSame(const kaVector3f& a, const kaVector3f& b) { ExpectPoint(a, b.x, b.y, b.z); }

class CameraTest : public ::testing::Test {
protected:
    CameraTest() { gDevice = &device; }
    ~CameraTest() override { gDevice = nullptr; }

    int Load(const std::string& text) {
        media.put("xCinematics/path.spl", text);
        return camera.LoadPath("path.spl");
    }

    const float* Tangent(int i) const { return &camera.path.tangents[3 * i]; }

    kaRecordingDevice device;
    kaMediaTree media;
    kaRecordingMessageBoxes boxes;
    kaCamera camera;
};

}  // namespace

TEST_F(CameraTest, ThreePointPathClosesOnItselfAndWraps) {
    ASSERT_EQ(Load("0 0 0\n10 0 0\n10 10 0\n"), 0);
    ASSERT_EQ(camera.path.count, 4);
    EXPECT_FLOAT_EQ(camera.path.points[9], 0.0f);
    EXPECT_FLOAT_EQ(camera.path.points[10], 0.0f);
    // Point 0 looks back to point 2 and ahead to point 1; point 3 is point 0.
    for (int i : {0, 3}) {
        EXPECT_FLOAT_EQ(Tangent(i)[0], 0.0f);
        EXPECT_FLOAT_EQ(Tangent(i)[1], -5.0f);
    }
    EXPECT_FLOAT_EQ(Tangent(1)[0], 5.0f);
    EXPECT_FLOAT_EQ(Tangent(1)[1], 5.0f);

    ExpectPoint(camera.PointAt(0), 0, 0, 0);
    ExpectPoint(camera.PointAt(1), 10, 0, 0);
    ExpectPoint(camera.PointAt(2), 10, 10, 0);
    ExpectSame(camera.PointAt(3), camera.PointAt(0));
    ExpectSame(camera.PointAt(4.5f), camera.PointAt(1.5f));
    ExpectSame(camera.PointAt(301.25f), camera.PointAt(1.25f));
    // Half way along segment 0: the average of its ends plus an eighth of
    // the tangent difference.
    ExpectPoint(camera.PointAt(0.5f), 4.375f, -1.25f, 0);
    // A parameter of a unit or more below 0 runs the closing segment (point
    // 3 to point 0, both at the origin) backwards from its start.
    ExpectPoint(camera.PointAt(-1.5f), 0, 7.5f, 0);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(CameraTest, OneLinePathStandsStillAndLineBreaksMeanNothing) {
    ASSERT_EQ(Load("  4 5 6  \n\n"), 0);
    EXPECT_EQ(camera.path.count, 2);
    for (float t : {0.0f, 0.5f, 1.0f, 7.25f, -3.5f}) ExpectPoint(camera.PointAt(t), 4, 5, 6);
    EXPECT_FLOAT_EQ(Tangent(1)[0], 0.0f);

    ASSERT_EQ(Load("1 2\n3 4 5 6"), 0);
    EXPECT_EQ(camera.path.count, 3);
    ExpectPoint(camera.PointAt(1), 4, 5, 6);
}

TEST_F(CameraTest, BadFilesWarnAndKeepTheEarlierPath) {
    ASSERT_EQ(Load("0 0 0\n10 0 0\n10 10 0\n"), 0);
    const struct {
        const char* text;
        const char* why;
    } bad[] = {{"0 0 0\n1 two 3\n", "a word"}, {"0 0 0\n1 2\n", "too few numbers"}, {"", "empty"}};
    for (const auto& b : bad) {
        EXPECT_EQ(Load(b.text), 11) << b.why;
        EXPECT_EQ(camera.path.count, 4) << b.why;
        ExpectPoint(camera.PointAt(1), 10, 0, 0);
    }
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[0].caption, "LoadCameraPath");
    EXPECT_EQ(boxes.boxes()[0].text,
              "error loading camera path file ../xMedia/xCinematics/path.spl");

    EXPECT_EQ(camera.LoadPath("missing.spl"), 11);
    EXPECT_EQ(boxes.boxes().back().caption, "loadTDM");
    EXPECT_EQ(boxes.boxes().back().text,
              "error loading camera path file ../xMedia/xCinematics/missing.spl");
    EXPECT_EQ(camera.LoadPath(nullptr), 3);
    EXPECT_EQ(boxes.boxes().size(), 4u);
    EXPECT_EQ(camera.path.count, 4);
}

TEST_F(CameraTest, LongPathsAreReadWhole) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += std::to_string(i) + " " + std::to_string(2 * i) + " 1\n";
    ASSERT_EQ(Load(text), 0);
    EXPECT_EQ(camera.path.count, 301);
    ExpectPoint(camera.PointAt(299), 299, 598, 1);
    ExpectPoint(camera.PointAt(300), 0, 0, 1);
}

TEST_F(CameraTest, WithoutAPathTheCameraStaysAtTheOrigin) {
    ExpectPoint(camera.PointAt(2.5f), 0, 0, 0);
    camera.target = {0, 10, 0};
    camera.Follow(1.5f, {0, 0, 3});
    ExpectPoint(camera.eye, 0, 0, 3);
}

TEST_F(CameraTest, FollowPutsTheEyeOnThePathAndLooksAtTheTarget) {
    ASSERT_EQ(Load("0 -10 0\n10 -10 0\n"), 0);
    camera.target = {0, 0, 0};
    camera.Follow(0, {0, 0, 5});
    ExpectPoint(camera.eye, 0, -10, 5);
    kaMatrix44f view;
    device.getMatrix(KA_TS_VIEW, &view);
    // The target lies straight ahead (-z in view space), up stays up.
    const kaVector3f target = kaMatrixMath::TransformPoint({0, 0, 0}, view);
    ExpectPoint(target, 0, 0, -std::sqrt(125.0f));
    const kaVector3f above = kaMatrixMath::TransformPoint({0, 0, 1}, view);
    EXPECT_GT(above.y, target.y);
    const kaVector3f right = kaMatrixMath::TransformPoint({1, 0, 0}, view);
    EXPECT_NEAR(right.x, 1.0f, 1e-5f);
    ExpectPoint(camera.forward, 0, -10 / std::sqrt(125.0f), 5 / std::sqrt(125.0f));
}

TEST_F(CameraTest, LookAtWithTheEyeOnTheTargetGivesAZeroBasis) {
    camera.SetEye({3, 4, 5});
    camera.LookAt({3, 4, 5}, {3, 4, 5}, {0, 0, 1});
    ExpectPoint(camera.right, 0, 0, 0);
    ExpectPoint(camera.up, 0, 0, 0);
    ExpectPoint(camera.forward, 0, 0, 0);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(camera.view.m[i], 0.0f) << i;
    EXPECT_EQ(camera.view.m[15], 1.0f);
}

TEST_F(CameraTest, DefaultProjectionClipsBeyondHalfTheFarDistance) {
    camera.Init(800, 600);
    EXPECT_FLOAT_EQ(camera.aspect, 800.0f / 600.0f);
    kaViewport viewport;
    device.getViewport(&viewport);
    EXPECT_EQ(viewport.width, 800u);
    EXPECT_EQ(viewport.height, 600u);
    kaMatrix44f projection, view;
    device.getMatrix(KA_TS_PROJECTION, &projection);
    device.getMatrix(KA_TS_VIEW, &view);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(view.m[i], i % 5 == 0 ? 1.0f : 0.0f);
    EXPECT_FLOAT_EQ(projection.m[5], 1 / std::tan(30 * 0.01745329f));
    EXPECT_FLOAT_EQ(projection.m[11], -1.0f);

    auto depth = [&](float distance) {
        return kaMatrixMath::TransformPoint({0, 0, -distance}, projection).z;
    };
    EXPECT_NEAR(depth(16), 16 / (1400000.0 - 16), 1e-7);
    EXPECT_LT(depth(600000), 1.0f);
    EXPECT_GT(depth(800000), 1.0f);
    EXPECT_NEAR(depth(700000), 1.0f, 1e-5f);
    // Sideways: the edge of the 60 degree view at distance 100.
    const float halfHeight = 100 * std::tan(30 * 0.01745329f);
    const kaVector3f edge = kaMatrixMath::TransformPoint({0, halfHeight, -100}, projection);
    EXPECT_NEAR(edge.y, 1.0f, 1e-3f);
}
