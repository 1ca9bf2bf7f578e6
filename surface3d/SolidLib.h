#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace orvanta {

// solidlib: the small mesh and vector library of the surface scene. The
// argument orders are those of its call sites, which were written against
// it; in particular VTSUB yields b - a.
using TVec3 = std::array<float, 3>;
using TMat3 = std::array<float, 9>;  // row-major
using TMat4 = std::array<float, 16>; // in the order OpenGL loads (column-major)

// A grid of vertices stored row by row: vertex (r, c) is element
// r * RowLength + c of both arrays.
struct TSurface {
    std::vector<TVec3> Positions;
    std::vector<TVec3> Colors;
    std::int32_t RowLength = 0;
    std::int32_t RowCount = 0;
};

// An empty mesh with room for rows * rowLength vertices; negative counts
// are taken as 0.
void SURFNEW(std::int32_t rows, std::int32_t rowLength, TSurface& s);
// Appends the next vertex in row-major order (with a black colour). The
// three leading arguments are unused and always 0 at the call sites.
void SURFADDVTX(int, int, int, const TVec3& v, TSurface& s);
// Rescales the positions so that their box becomes low .. high. An axis on
// which all positions coincide is placed at the low corner.
void SURFSETBBOX(const TVec3& high, const TVec3& low, TSurface& s);
// The box of the current positions; all zero for an empty mesh.
void SURFGETBBOX(TVec3& high, TVec3& low, const TSurface& s);
void SURFDELETE(TSurface& s);

void VTZERO(TVec3& v);
void VTCOPY(const TVec3& src, TVec3& dst);
void VTADD(const TVec3& a, const TVec3& b, TVec3& out);
// out := b - a (sic: the frame computation relies on this order).
void VTSUB(const TVec3& a, const TVec3& b, TVec3& out);
void VTCROSS(const TVec3& a, const TVec3& b, TVec3& out);

void MTIDENTITY(TMat3& m);
void MTHIDENTITY(TMat4& m);
void MTCOPY(const TMat3& src, TMat3& dst);
// out := a * b; out may be a or b.
void MTMUL(const TMat3& a, const TMat3& b, TMat3& out);
// out := m * v (v as a column).
void MTVECMUL(const TVec3& v, const TMat3& m, TVec3& out);
void MTTRANSPOSE(const TMat3& m, TMat3& out);
void MTSELFTRANSPOSE(TMat3& m);
// The upper-left 3 x 3 of a 4 x 4 matrix, read and written so that the
// row-major 3 x 3 and the OpenGL 4 x 4 describe the same linear map.
void MTGETLU(const TMat4& m, TMat3& out);
void MTSETLU(const TMat3& m, TMat4& out);
// Right-handed rotations by angle radians (counter-clockwise looking down
// the axis towards the origin).
void MTXROTATION(float angle, TMat3& out);
void MTYROTATION(float angle, TMat3& out);
void MTZROTATION(float angle, TMat3& out);

} // namespace orvanta
