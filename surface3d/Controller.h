#pragma once

#include "plan/Settings.h"
#include "surface3d/SolidLib.h"

#include <array>
#include <cstdint>
#include <functional>

namespace orvanta {

// The camera of the surface scene, driven by twelve held keys. Speeds are
// per millisecond of real time and accelerate or brake with the camera's
// "mass". In object mode the scene turns and shifts in front of a fixed
// camera; in camera mode the camera flies along its own axes.
class TController {
public:
    // Key codes with the values of Qt::Key, kept here as plain numbers so
    // that the controller needs no toolkit. Qt's codes do not fit 16 bits.
    static constexpr std::uint32_t KeyUp = 0x01000013;
    static constexpr std::uint32_t KeyDown = 0x01000015;
    static constexpr std::uint32_t KeyLeft = 0x01000012;
    static constexpr std::uint32_t KeyRight = 0x01000014;
    static constexpr std::uint32_t KeyDelete = 0x01000007;
    static constexpr std::uint32_t KeyPageDown = 0x01000017;
    static constexpr std::uint32_t KeyR = 0x52;
    static constexpr std::uint32_t KeyF = 0x46;
    static constexpr std::uint32_t KeyD = 0x44;
    static constexpr std::uint32_t KeyG = 0x47;
    static constexpr std::uint32_t KeyZ = 0x5a;
    static constexpr std::uint32_t KeyA = 0x41;

    static constexpr int KeyCount = 12;
    static constexpr float DefaultMaxSpeed = 0.007f;        // units per ms
    static constexpr float DefaultMaxAngularSpeed = 0.006f; // radians per ms
    static constexpr float LongestStep = 100.0f;            // ms

    // Code, name (UTF-8) and whether the key was down at the last step.
    struct TKey {
        std::uint32_t Code;
        const char* Name;
        bool Pressed;
    };

    // Object mode, mass 25 of 100, the maximum speeds, at rest and reset.
    TController();

    // Back to the starting position, at rest, with no rotation.
    void Reset();
    // Switches between object and camera mode; also resets.
    void SetCameraMode(bool on);
    // Acceleration from the camera's mass (1 .. maxMass): the heavier, the
    // slower it gathers speed. A mass of 0 (or less) gives 1.0, instant.
    void ApplyMass(std::int32_t mass, std::int32_t maxMass = 100);
    // Advances by dt milliseconds (at most LongestStep counted), polling key
    // i of Keys through pressed(i). Returns whether anything moved.
    bool Step(float dt, const std::function<bool(int)>& pressed);
    // The model-view matrix, ready for glLoadMatrixf.
    const TMat4& ViewMatrix() const { return View; }

    // In this order: Up, Down, Left, Right, Delete, Page Down, R, F, D, G, Z, A.
    std::array<TKey, KeyCount> Keys;
    bool CameraMode = false;
    TVec3 LinearAccel{};
    TVec3 AngularAccel{};
    TVec3 Velocity{};
    TVec3 AngularVelocity{};
    TVec3 MaxSpeed{};
    TVec3 MaxAngularSpeed{};
    TVec3 Angles{};
    TVec3 Position{};
    TVec3 Side{};
    TVec3 Up{};
    TVec3 Forward{};
    TMat3 Orientation{};

private:
    void Accelerate(const std::array<bool, KeyCount>& down, float dt);
    void StepObject(float dt);
    void StepCamera(float dt);
    void AxesFromOrientation();

    TMat4 View{};
};

// Follows the options: "Перемещать камеру" (CBUseVR) switches the mode
// (and so resets) only when it differs; the mass (TBMass) always applies.
void ApplyControllerOptions(TController& c, const TSettings& s);

} // namespace orvanta
