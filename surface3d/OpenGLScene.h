#pragma once

#include "plan/Settings.h"
#include "surface3d/Controller.h"
#include "surface3d/SolidLib.h"

#include <cstdint>
#include <functional>
#include <string>

class QOpenGLFunctions_1_1;

namespace orvanta {

// A rectangle of window pixels: the width is Right - Left, the height
// Bottom - Top.
struct TViewportRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

// What the surface window draws: the room of three grid walls, the mesh
// with its grid lines, the axes, the frame around the mesh and the frame
// rate, seen through the camera of its controller. It draws with the fixed
// function pipeline of the context whose functions it was given, which must
// be current for every call below except Step.
class TOpenGLScene {
public:
    // States of rendering: no usable context, running, stopped.
    static constexpr std::uint8_t NoContext = 0;
    static constexpr std::uint8_t Running = 1;
    static constexpr std::uint8_t Stopped = 2;

    void UseFunctions(QOpenGLFunctions_1_1* functions) { GL = functions; }
    QOpenGLFunctions_1_1* Functions() const { return GL; }

    // The state every context starts drawing the scene with.
    void PrepareContext();
    // The perspective projection for the rectangle; an empty one is ignored.
    void Resize(const TViewportRect& rect);
    // One frame with the look of the options; the frame-rate text needs the
    // font of this context and is left out without it or without text.
    void Draw(const TSettings& settings, bool withText = true);
    // Moves the camera by the time between the two ticks (milliseconds),
    // polling key i of the controller's table through pressed(i).
    bool Step(std::uint32_t previousTick, std::uint32_t currentTick,
              const std::function<bool(int)>& pressed);
    // The two bitmap fonts as display lists of the current context.
    void BuildFont();
    // Deletes the fonts, and the mesh with them: both go with the context.
    void FreeFont();

    // Takes a copy of the mesh to draw.
    void SetSurface(const TSurface& mesh);
    void ClearSurface();

    TViewportRect Viewport;
    double FramesPerSecond = 0.0;
    std::uint8_t RenderState = NoContext;
    TSurface Surface;
    bool HasSurface = false;
    TController Controller;

private:
    void DrawRoom(const TSettings& settings);
    void DrawMesh(const TSettings& settings);
    void DrawGridLines(const TSettings& settings);
    void DrawAxes(const TSettings& settings);
    void DrawFrame(const TSettings& settings, const TVec3& high, const TVec3& low);
    void DrawStatusText(const TSettings& settings);
    void Text(std::int32_t x, std::int32_t y, const std::string& utf8);

    QOpenGLFunctions_1_1* GL = nullptr;
    std::uint32_t FontBase = 0;
    std::uint32_t SmallFontBase = 0;
};

} // namespace orvanta
