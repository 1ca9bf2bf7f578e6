#include "surface3d/Controller.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvanta {

namespace {

constexpr float TwoPi = 2.0f * std::numbers::pi_v<float>;
constexpr float Standstill = 1e-7f;

// +1 when only the first key of the pair is down, -1 when only the second.
int Direction(bool first, bool second) {
    if (first == second)
        return 0;
    return first ? 1 : -1;
}

// Speeds up along the direction, or brakes towards exactly 0 when no key
// of the pair is held, then keeps within the limit.
float NextSpeed(float speed, int direction, float accel, float limit) {
    if (direction != 0) {
        speed += static_cast<float>(direction) * accel;
    } else {
        const float magnitude = std::fabs(speed);
        const float braked = magnitude - accel;
        speed = magnitude < Standstill || braked < Standstill ? 0.0f : std::copysign(braked, speed);
    }
    return std::clamp(speed, -limit, limit);
}

float Wrapped(float angle) {
    if (angle < 0.0f)
        angle += TwoPi;
    else if (angle > TwoPi)
        angle -= TwoPi;
    return angle;
}

// Rz * Rx * Ry of the three angles.
TMat3 Rotation(const TVec3& angles) {
    TMat3 x;
    TMat3 y;
    TMat3 z;
    MTXROTATION(angles[0], x);
    MTYROTATION(angles[1], y);
    MTZROTATION(angles[2], z);
    TMat3 r;
    MTMUL(z, x, r);
    MTMUL(r, y, r);
    return r;
}

// Keeps the rows of a rotation orthonormal: thousands of small turns in
// float would otherwise skew and stretch the camera's axes.
void Orthonormalize(TMat3& m) {
    TVec3 x{m[0], m[1], m[2]};
    TVec3 y{m[3], m[4], m[5]};
    TVec3 z;
    VTCROSS(x, y, z);
    VTCROSS(z, x, y);
    for (TVec3* v : {&x, &y, &z}) {
        const float length = std::sqrt((*v)[0] * (*v)[0] + (*v)[1] * (*v)[1] + (*v)[2] * (*v)[2]);
        for (float& e : *v)
            e /= length;
    }
    m = {x[0], x[1], x[2], y[0], y[1], y[2], z[0], z[1], z[2]};
}

} // namespace

TController::TController()
    : Keys{{{KeyUp, "Наклон вверх", false},
            {KeyDown, "Наклон вниз", false},
            {KeyLeft, "Наклон влево", false},
            {KeyRight, "Наклон вправо", false},
            {KeyDelete, "Поворот влево", false},
            {KeyPageDown, "Поворот вправо", false},
            {KeyR, "Движение вперед", false},
            {KeyF, "Движение назад", false},
            {KeyD, "Сдвиг влево", false},
            {KeyG, "Сдвиг вправо", false},
            {KeyZ, "Сдвиг вверх", false},
            {KeyA, "Сдвиг вниз", false}}} {
    ApplyMass(25);
    MaxSpeed.fill(DefaultMaxSpeed);
    MaxAngularSpeed.fill(DefaultMaxAngularSpeed);
    Reset();
}

void TController::Reset() {
    VTZERO(Angles);
    Position = {0.0f, -2.0f, CameraMode ? 6.0f : -6.0f};
    Up = {0.0f, 1.0f, 0.0f};
    Forward = {0.0f, 0.0f, -1.0f};
    VTCROSS(Up, Forward, Side);
    VTZERO(Velocity);
    VTZERO(AngularVelocity);
    MTIDENTITY(Orientation);
    // The view matches the reset position at once, so that a frame drawn
    // before the next step already shows the scene from there.
    MTHIDENTITY(View);
    if (CameraMode) {
        View[12] = -Position[0];
        View[13] = -Position[1];
        View[14] = -Position[2];
    } else {
        View[12] = Position[0];
        View[13] = Position[1];
        View[14] = Position[2];
    }
}

void TController::SetCameraMode(bool on) {
    CameraMode = on;
    Reset();
}

void TController::ApplyMass(std::int32_t mass, std::int32_t maxMass) {
    if (mass <= 0) {
        LinearAccel.fill(1.0f);
        AngularAccel.fill(1.0f);
        return;
    }
    LinearAccel.fill(static_cast<float>(maxMass * 2e-6 / mass));
    AngularAccel.fill(static_cast<float>(maxMass * 1e-6 / mass));
}

bool TController::Step(float dt, const std::function<bool(int)>& pressed) {
    if (!(dt > 0.0f))
        return false;
    dt = std::min(dt, LongestStep);
    std::array<bool, KeyCount> down{};
    for (int i = 0; i < KeyCount; ++i) {
        down[static_cast<std::size_t>(i)] = pressed(i);
        Keys[static_cast<std::size_t>(i)].Pressed = down[static_cast<std::size_t>(i)];
    }
    Accelerate(down, dt);
    if (CameraMode)
        StepCamera(dt);
    else
        StepObject(dt);
    // Object mode never turns about z, so its z speed moves nothing.
    const bool turning = AngularVelocity[0] != 0.0f || AngularVelocity[1] != 0.0f ||
                         (CameraMode && AngularVelocity[2] != 0.0f);
    return turning || Velocity[0] != 0.0f || Velocity[1] != 0.0f || Velocity[2] != 0.0f;
}

void TController::Accelerate(const std::array<bool, KeyCount>& down, float dt) {
    // Key pairs per axis: rotation x, y, z; movement x, y, z.
    static constexpr int Turn[3][2] = {{0, 1}, {2, 3}, {4, 5}};
    static constexpr int Move[3][2] = {{8, 9}, {10, 11}, {6, 7}};
    for (std::size_t a = 0; a < 3; ++a) {
        const int turn = Direction(down[Turn[a][0]], down[Turn[a][1]]);
        const int move = Direction(down[Move[a][0]], down[Move[a][1]]);
        AngularVelocity[a] =
            NextSpeed(AngularVelocity[a], turn, AngularAccel[a] * dt, MaxAngularSpeed[a]);
        Velocity[a] = NextSpeed(Velocity[a], move, LinearAccel[a] * dt, MaxSpeed[a]);
    }
}

void TController::StepObject(float dt) {
    for (std::size_t a = 0; a < 3; ++a) {
        Position[a] += Velocity[a] * dt;
        Angles[a] += AngularVelocity[a] * dt;
    }
    Angles[2] = 0.0f;
    for (float& angle : Angles)
        angle = Wrapped(angle);
    Orientation = Rotation(Angles);
    MTSETLU(Orientation, View);
    AxesFromOrientation();
    View[12] = Position[0];
    View[13] = Position[1];
    View[14] = Position[2];
}

void TController::StepCamera(float dt) {
    for (std::size_t a = 0; a < 3; ++a)
        Angles[a] = -AngularVelocity[a] * dt;
    for (std::size_t a = 0; a < 3; ++a)
        Position[a] +=
            Side[a] * Velocity[0] * dt + Up[a] * Velocity[1] * dt + Forward[a] * Velocity[2] * dt;
    MTMUL(Rotation(Angles), Orientation, Orientation);
    Orthonormalize(Orientation);
    AxesFromOrientation();
    // Look-at form: the rows are the camera's right (-Side, since Side is
    // Up x Forward), up and backward axes, which is Orientation itself; the
    // translation brings the camera position to the origin.
    MTHIDENTITY(View);
    MTSETLU(Orientation, View);
    TVec3 eye;
    MTVECMUL(Position, Orientation, eye);
    View[12] = -eye[0];
    View[13] = -eye[1];
    View[14] = -eye[2];
}

void TController::AxesFromOrientation() {
    TMat3 back;
    MTTRANSPOSE(Orientation, back);
    MTVECMUL(TVec3{0.0f, 0.0f, -1.0f}, back, Forward);
    MTVECMUL(TVec3{0.0f, 1.0f, 0.0f}, back, Up);
    VTCROSS(Up, Forward, Side);
}

void ApplyControllerOptions(TController& c, const TSettings& s) {
    if (s.CBUseVR != c.CameraMode)
        c.SetCameraMode(s.CBUseVR);
    c.ApplyMass(s.TBMass);
}

} // namespace orvanta
