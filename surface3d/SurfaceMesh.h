#pragma once

#include "plan/Settings.h"
#include "services/GraphHolder.h"
#include "surface3d/SolidLib.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace orvanta {

struct TGLColor {
    float R, G, B;
};

// A colour setting as an OpenGL colour: each byte divided by 256 (not 255),
// so white gives 255/256. System colours (0x80000000 + index) have no
// screen behind them here and map to the fixed colours of the classic
// default scheme (index 5, window, is white; 8, window text, black; ...);
// an unknown index gives black.
TGLColor GLColorOf(TColorValue value);

// The room the mesh is fitted into: the two factors span -0.5 .. 0.5 on x
// and z, the response 0 .. 1 on y.
constexpr TVec3 RoomHigh{0.5f, 1.0f, 0.5f};
constexpr TVec3 RoomLow{-0.5f, 0.0f, -0.5f};

// The holder's grid as a mesh: GridCols rows (first factor) of GridRows
// vertices (second factor), fitted into the room. A list shorter than the
// grid keeps only its complete rows, so the mesh never claims vertices it
// does not hold; vertices beyond the grid are dropped.
void BuildMesh(const TGraphHolder& holder, TSurface& mesh);
// Colours the mesh by settings.LBSurfScheme: 0 one colour (SSurfColor1),
// 1 random (random() gives integers 0 .. 255), 2 SSurfColor1 at the lowest
// response to SSurfColor2 at the highest. Row by row in storage order.
void ColourMesh(TSurface& mesh, const TSettings& settings, const std::function<int()>& random);
// The triangle strips of the mesh: for rows r - 1 and r (r from 1) the
// indices (r-1,0), (r,0), (r-1,1), (r,1), ..., (r-1,last), (r,last).
std::vector<std::vector<std::int32_t>> StripIndices(const TSurface& mesh);
// The frame around the mesh box, enlarged by 1 % of its extent per side:
// six faces (low x, high x, low y, high y, low z, high z) of four corners
// each, in drawing order around the face.
std::array<std::array<TVec3, 4>, 6> FrameFaces(const TVec3& high, const TVec3& low);

} // namespace orvanta
