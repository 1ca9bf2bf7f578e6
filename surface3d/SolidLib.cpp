#include "surface3d/SolidLib.h"

#include <algorithm>
#include <cmath>

namespace orvanta {

void SURFNEW(std::int32_t rows, std::int32_t rowLength, TSurface& s) {
    SURFDELETE(s);
    s.RowCount = std::max(rows, 0);
    s.RowLength = std::max(rowLength, 0);
    const auto room = static_cast<std::size_t>(s.RowCount) * static_cast<std::size_t>(s.RowLength);
    s.Positions.reserve(room);
    s.Colors.reserve(room);
}

void SURFADDVTX(int, int, int, const TVec3& v, TSurface& s) {
    s.Positions.push_back(v);
    s.Colors.push_back(TVec3{});
}

void SURFGETBBOX(TVec3& high, TVec3& low, const TSurface& s) {
    // A response that overflowed to an infinity or NaN must not blow the
    // box up: such coordinates take no part in it.
    bool seen[3] = {false, false, false};
    VTZERO(high);
    VTZERO(low);
    for (const TVec3& p : s.Positions)
        for (std::size_t a = 0; a < 3; ++a) {
            if (!std::isfinite(p[a]))
                continue;
            if (!seen[a]) {
                low[a] = high[a] = p[a];
                seen[a] = true;
            } else {
                low[a] = std::min(low[a], p[a]);
                high[a] = std::max(high[a], p[a]);
            }
        }
}

void SURFSETBBOX(const TVec3& high, const TVec3& low, TSurface& s) {
    TVec3 oldHigh;
    TVec3 oldLow;
    SURFGETBBOX(oldHigh, oldLow, s);
    for (std::size_t a = 0; a < 3; ++a) {
        const float range = oldHigh[a] - oldLow[a];
        const float scale = range > 0.0f ? (high[a] - low[a]) / range : 0.0f;
        for (TVec3& p : s.Positions)
            p[a] = low[a] + (p[a] - oldLow[a]) * scale;
    }
}

void SURFDELETE(TSurface& s) {
    s.Positions = {};
    s.Colors = {};
    s.RowCount = 0;
    s.RowLength = 0;
}

void VTZERO(TVec3& v) {
    v = {0.0f, 0.0f, 0.0f};
}

void VTCOPY(const TVec3& src, TVec3& dst) {
    dst = src;
}

void VTADD(const TVec3& a, const TVec3& b, TVec3& out) {
    out = {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}

void VTSUB(const TVec3& a, const TVec3& b, TVec3& out) {
    out = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
}

void VTCROSS(const TVec3& a, const TVec3& b, TVec3& out) {
    out = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

void MTIDENTITY(TMat3& m) {
    m = {1, 0, 0, 0, 1, 0, 0, 0, 1};
}

void MTHIDENTITY(TMat4& m) {
    m = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

void MTCOPY(const TMat3& src, TMat3& dst) {
    dst = src;
}

void MTMUL(const TMat3& a, const TMat3& b, TMat3& out) {
    TMat3 r{};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            r[i * 3 + j] = a[i * 3] * b[j] + a[i * 3 + 1] * b[3 + j] + a[i * 3 + 2] * b[6 + j];
    out = r;
}

void MTVECMUL(const TVec3& v, const TMat3& m, TVec3& out) {
    const TVec3 r{m[0] * v[0] + m[1] * v[1] + m[2] * v[2], m[3] * v[0] + m[4] * v[1] + m[5] * v[2],
                  m[6] * v[0] + m[7] * v[1] + m[8] * v[2]};
    out = r;
}

void MTTRANSPOSE(const TMat3& m, TMat3& out) {
    out = {m[0], m[3], m[6], m[1], m[4], m[7], m[2], m[5], m[8]};
}

void MTSELFTRANSPOSE(TMat3& m) {
    std::swap(m[1], m[3]);
    std::swap(m[2], m[6]);
    std::swap(m[5], m[7]);
}

void MTGETLU(const TMat4& m, TMat3& out) {
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            out[i * 3 + j] = m[j * 4 + i];
}

void MTSETLU(const TMat3& m, TMat4& out) {
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            out[j * 4 + i] = m[i * 3 + j];
}

void MTXROTATION(float angle, TMat3& out) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    out = {1, 0, 0, 0, c, -s, 0, s, c};
}

void MTYROTATION(float angle, TMat3& out) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    out = {c, 0, s, 0, 1, 0, -s, 0, c};
}

void MTZROTATION(float angle, TMat3& out) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    out = {c, -s, 0, s, c, 0, 0, 0, 1};
}

} // namespace orvanta
