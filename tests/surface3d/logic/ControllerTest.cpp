// The camera of the surface scene: which key drives which speed, how the
// speeds build up and brake with the camera's mass, and where the view
// puts the scene in object and in camera mode.
#include "surface3d/Controller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

using namespace orvanta;

namespace {

constexpr int Up = 0, Down = 1, Delete = 4, PageDown = 5, Left = 2, R = 6;

std::function<bool(int)> Holding(int key) {
    return [key](int i) { return i == key; };
}
const std::function<bool(int)> NoKeys = [](int) { return false; };

// The view as OpenGL applies it to the point p (w = 1).
TVec3 Apply(const TMat4& m, const TVec3& p) {
    TVec3 out{};
    for (std::size_t i = 0; i < 3; ++i)
        out[i] = m[i] * p[0] + m[4 + i] * p[1] + m[8 + i] * p[2] + m[12 + i];
    return out;
}

void ExpectNear(const TVec3& actual, const TVec3& expected, float tolerance = 1e-5f) {
    for (std::size_t a = 0; a < 3; ++a)
        EXPECT_NEAR(actual[a], expected[a], tolerance) << "component " << a;
}

struct TKeyCase {
    int Key;
    bool Angular;
    std::size_t Axis;
    float Sign;
};

class ControllerKeyTest : public ::testing::TestWithParam<TKeyCase> {};

TEST_P(ControllerKeyTest, EachKeyDrivesOneAxisInOneDirection) {
    const TKeyCase& c = GetParam();
    TController controller;
    controller.SetCameraMode(true); // every axis counts there
    EXPECT_TRUE(controller.Step(10, Holding(c.Key)));
    EXPECT_TRUE(controller.Keys[static_cast<std::size_t>(c.Key)].Pressed);
    const TVec3& driven = c.Angular ? controller.AngularVelocity : controller.Velocity;
    const TVec3& other = c.Angular ? controller.Velocity : controller.AngularVelocity;
    const float accel = c.Angular ? 4e-6f : 8e-6f; // mass 25 of 100
    for (std::size_t a = 0; a < 3; ++a) {
        EXPECT_FLOAT_EQ(driven[a], a == c.Axis ? c.Sign * accel * 10 : 0.0f);
        EXPECT_EQ(other[a], 0.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(KeyTable, ControllerKeyTest,
                         ::testing::Values(TKeyCase{0, true, 0, 1}, TKeyCase{1, true, 0, -1},
                                           TKeyCase{2, true, 1, 1}, TKeyCase{3, true, 1, -1},
                                           TKeyCase{4, true, 2, 1}, TKeyCase{5, true, 2, -1},
                                           TKeyCase{6, false, 2, 1}, TKeyCase{7, false, 2, -1},
                                           TKeyCase{8, false, 0, 1}, TKeyCase{9, false, 0, -1},
                                           TKeyCase{10, false, 1, 1}, TKeyCase{11, false, 1, -1}));

TEST(ControllerTest, TheKeyTableNamesTheKeysInOrder) {
    const TController controller;
    EXPECT_EQ(controller.Keys[0].Code, 0x01000013u); // Qt::Key_Up
    EXPECT_STREQ(controller.Keys[0].Name, "Наклон вверх");
    EXPECT_EQ(controller.Keys[5].Code, 0x01000017u); // Qt::Key_PageDown
    EXPECT_STREQ(controller.Keys[5].Name, "Поворот вправо");
    EXPECT_EQ(controller.Keys[11].Code, static_cast<std::uint32_t>('A'));
    EXPECT_STREQ(controller.Keys[11].Name, "Сдвиг вниз");
}

TEST(ControllerTest, HoldingUpReachesTheTopSpeedAndReleasingStopsExactly) {
    TController controller;
    // 4e-6 rad/ms^2 in steps of 10 ms: 0.006 / 4e-5 = 150 steps either way.
    int steps = 0;
    while (controller.AngularVelocity[0] != 0.006f && steps < 1000) {
        controller.Step(10, Holding(Up));
        ++steps;
    }
    EXPECT_GE(steps, 150);
    EXPECT_LE(steps, 151);
    controller.Step(10, Holding(Up));
    EXPECT_EQ(controller.AngularVelocity[0], 0.006f);
    steps = 0;
    while (controller.AngularVelocity[0] != 0.0f && steps < 1000) {
        controller.Step(10, NoKeys);
        ++steps;
    }
    EXPECT_GE(steps, 149);
    EXPECT_LE(steps, 151);
    EXPECT_FALSE(controller.Step(10, NoKeys));
}

TEST(ControllerTest, StepsOfNoTimeDoNothingAndLongOnesCountAsATenthOfASecond) {
    TController controller;
    bool polled = false;
    const auto poll = [&polled](int) { return polled = true; };
    EXPECT_FALSE(controller.Step(0, poll));
    EXPECT_FALSE(controller.Step(-5, poll));
    EXPECT_FALSE(polled);
    EXPECT_EQ(controller.AngularVelocity[0], 0.0f);

    TController lagging;
    lagging.Step(5000, Holding(Up));
    TController onTime;
    onTime.Step(100, Holding(Up));
    EXPECT_FLOAT_EQ(lagging.AngularVelocity[0], 4e-4f);
    EXPECT_EQ(lagging.Angles, onTime.Angles);
    EXPECT_EQ(lagging.ViewMatrix(), onTime.ViewMatrix());
}

TEST(ControllerTest, ObjectModeIgnoresTheTurnKeys) {
    for (int key : {Delete, PageDown}) {
        TController controller;
        const TMat4 view = controller.ViewMatrix();
        for (int i = 0; i < 20; ++i)
            EXPECT_FALSE(controller.Step(10, Holding(key)));
        EXPECT_EQ(controller.Angles, (TVec3{0, 0, 0}));
        EXPECT_EQ(controller.ViewMatrix(), view);
    }
}

TEST(ControllerTest, ObjectModeTiltsAndShiftsTheScene) {
    TController controller;
    controller.ApplyMass(0); // instant: full speed at once
    controller.Step(100, Holding(Up));
    const float angle = 0.006f * 100; // rad
    EXPECT_FLOAT_EQ(controller.Angles[0], angle);
    // The scene's point (0, 1, 0) turns towards +z, then moves to Position.
    ExpectNear(Apply(controller.ViewMatrix(), {0, 1, 0}),
               {0, -2 + std::cos(angle), -6 + std::sin(angle)});
    ExpectNear(controller.Up, {0, std::cos(angle), -std::sin(angle)});

    TController down;
    down.ApplyMass(0);
    down.Step(10, Holding(Down)); // below 0 the angle wraps to just under 2 pi
    EXPECT_NEAR(down.Angles[0], 2 * std::numbers::pi_v<float> - 0.06f, 1e-5f);
}

TEST(ControllerTest, ResetPutsTheSceneInFrontOfTheCamera) {
    TController controller;
    ExpectNear(controller.Position, {0, -2, -6});
    ExpectNear(Apply(controller.ViewMatrix(), {0, 0, 0}), {0, -2, -6});
    ExpectNear(controller.Side, {-1, 0, 0}); // Up x Forward
    controller.Step(50, Holding(R));
    controller.Reset();
    EXPECT_EQ(controller.Velocity, (TVec3{0, 0, 0}));
    ExpectNear(controller.Position, {0, -2, -6});
    controller.SetCameraMode(true);
    ExpectNear(controller.Position, {0, -2, 6});
    ExpectNear(Apply(controller.ViewMatrix(), controller.Position), {0, 0, 0});
}

TEST(ControllerTest, TheCameraFliesAlongItsOwnAxes) {
    TController controller;
    controller.SetCameraMode(true);
    controller.ApplyMass(0);
    for (int i = 0; i < 10; ++i)
        controller.Step(20, Holding(Left));
    const TVec3 before = controller.Position;
    const TVec3 forward = controller.Forward;
    EXPECT_GT(std::fabs(forward[0]), 0.5f); // turned well away from -z
    for (int i = 0; i < 10; ++i)
        controller.Step(20, Holding(R));
    // Full speed 0.007 for 200 ms, along the forward axis.
    for (std::size_t a = 0; a < 3; ++a)
        EXPECT_NEAR(controller.Position[a], before[a] + forward[a] * 1.4f, 1e-4f);
    // The view has the camera at the origin looking down -z.
    const TVec3 eye = controller.Position;
    TVec3 ahead;
    VTADD(eye, controller.Forward, ahead);
    ExpectNear(Apply(controller.ViewMatrix(), eye), {0, 0, 0});
    ExpectNear(Apply(controller.ViewMatrix(), ahead), {0, 0, -1});
}

TEST(ControllerTest, TheMassSetsTheAcceleration) {
    const struct {
        std::int32_t Mass;
        float Linear, Angular;
    } cases[] = {{25, 8e-6f, 4e-6f}, {1, 2e-4f, 1e-4f}, {100, 2e-6f, 1e-6f}, {0, 1, 1}};
    for (const auto& c : cases) {
        TController controller;
        controller.ApplyMass(c.Mass, 100);
        EXPECT_FLOAT_EQ(controller.LinearAccel[1], c.Linear) << c.Mass;
        EXPECT_FLOAT_EQ(controller.AngularAccel[2], c.Angular) << c.Mass;
    }
}

TEST(ControllerTest, OptionsSwitchTheModeOnlyWhenItChanges) {
    TController controller;
    TSettings settings;
    settings.CBUseVR = true;
    settings.TBMass = 50;
    ApplyControllerOptions(controller, settings);
    EXPECT_TRUE(controller.CameraMode);
    EXPECT_FLOAT_EQ(controller.LinearAccel[0], 4e-6f);
    controller.Step(10, Holding(R));
    const TVec3 moved = controller.Position;
    ApplyControllerOptions(controller, settings); // same mode: no reset
    EXPECT_EQ(controller.Position, moved);
    EXPECT_NE(controller.Velocity[2], 0.0f);
}

} // namespace
