#include "surface3d/SurfaceMesh.h"

#include <algorithm>

namespace orvanta {

namespace {

// The classic default scheme of the system colours, by index, as RGB bytes.
constexpr std::array<std::array<std::uint8_t, 3>, 31> SystemColors{{
    {192, 192, 192}, // scroll bar
    {0, 128, 128},   // desktop
    {0, 0, 128},     // active caption
    {128, 128, 128}, // inactive caption
    {192, 192, 192}, // menu
    {255, 255, 255}, // window
    {0, 0, 0},       // window frame
    {0, 0, 0},       // menu text
    {0, 0, 0},       // window text
    {255, 255, 255}, // caption text
    {192, 192, 192}, // active border
    {192, 192, 192}, // inactive border
    {128, 128, 128}, // application workspace
    {0, 0, 128},     // highlight
    {255, 255, 255}, // highlighted text
    {192, 192, 192}, // button face
    {128, 128, 128}, // button shadow
    {128, 128, 128}, // grey text
    {0, 0, 0},       // button text
    {192, 192, 192}, // inactive caption text
    {255, 255, 255}, // button highlight
    {0, 0, 0},       // 3D dark shadow
    {192, 192, 192}, // 3D light
    {0, 0, 0},       // tooltip text
    {255, 255, 225}, // tooltip background
    {0, 0, 0},       // (unused)
    {0, 0, 128},     // hot-tracked item
    {16, 132, 208},  // active caption gradient
    {181, 181, 181}, // inactive caption gradient
    {0, 0, 128},     // menu highlight
    {192, 192, 192}, // menu bar
}};

constexpr TColorValue SystemColorBase = 0x80000000;

float Channel(std::uint32_t byte) {
    return static_cast<float>(byte) / 256.0f;
}

// The number of complete rows the mesh holds: never more than its arrays.
std::int32_t UsableRows(const TSurface& mesh) {
    if (mesh.RowLength <= 0)
        return 0;
    const std::size_t held = std::min(mesh.Positions.size(), mesh.Colors.size());
    const std::size_t rows = held / static_cast<std::size_t>(mesh.RowLength);
    return static_cast<std::int32_t>(std::min<std::size_t>(rows, std::max(mesh.RowCount, 0)));
}

} // namespace

TGLColor GLColorOf(TColorValue value) {
    std::uint32_t rgb = value & 0x00FFFFFFu;
    if (value >= SystemColorBase) {
        const std::uint32_t index = value - SystemColorBase;
        if (index >= SystemColors.size())
            return {0.0f, 0.0f, 0.0f};
        const auto& c = SystemColors[index];
        rgb = static_cast<std::uint32_t>(c[0]) | static_cast<std::uint32_t>(c[1]) << 8 |
              static_cast<std::uint32_t>(c[2]) << 16;
    }
    return {Channel(rgb & 0xFF), Channel(rgb >> 8 & 0xFF), Channel(rgb >> 16 & 0xFF)};
}

void BuildMesh(const TGraphHolder& holder, TSurface& mesh) {
    const std::int32_t rowLength = std::max(holder.GridRows, 0);
    const std::int32_t count = holder.SurfaceVertices.Count();
    const std::int32_t rows =
        rowLength > 0 ? std::min(std::max(holder.GridCols, 0), count / rowLength) : 0;
    SURFNEW(rows, rowLength, mesh);
    const std::int32_t used = rows * rowLength;
    for (std::int32_t i = 0; i < used; ++i) {
        const TPoint3D& p = holder.SurfaceVertices[i];
        SURFADDVTX(0, 0, 0, TVec3{p.X, p.Y, p.Z}, mesh);
    }
    SURFSETBBOX(RoomHigh, RoomLow, mesh);
}

void ColourMesh(TSurface& mesh, const TSettings& settings, const std::function<int()>& random) {
    mesh.Colors.resize(mesh.Positions.size());
    const TGLColor first = GLColorOf(settings.SSurfColor1);
    if (settings.LBSurfScheme == 0) {
        std::fill(mesh.Colors.begin(), mesh.Colors.end(), TVec3{first.R, first.G, first.B});
    } else if (settings.LBSurfScheme == 1) {
        for (TVec3& c : mesh.Colors)
            for (float& component : c)
                component = Channel(static_cast<std::uint32_t>(random() & 0xFF));
    } else {
        // Any other scheme number (a settings file from elsewhere) is taken
        // as the default, two colours.
        const TGLColor second = GLColorOf(settings.SSurfColor2);
        TVec3 high;
        TVec3 low;
        SURFGETBBOX(high, low, mesh);
        const float yMin = low[1];
        float range = high[1] - yMin;
        if (range == 0.0f)
            range = 0.01f;
        for (std::size_t i = 0; i < mesh.Positions.size(); ++i) {
            const float t = (mesh.Positions[i][1] - yMin) / range;
            mesh.Colors[i] = {first.R + (second.R - first.R) * t,
                              first.G + (second.G - first.G) * t,
                              first.B + (second.B - first.B) * t};
        }
    }
}

std::vector<std::vector<std::int32_t>> StripIndices(const TSurface& mesh) {
    const std::int32_t rows = UsableRows(mesh);
    const std::int32_t length = mesh.RowLength;
    std::vector<std::vector<std::int32_t>> strips;
    for (std::int32_t r = 1; r < rows; ++r) {
        std::vector<std::int32_t>& strip = strips.emplace_back();
        strip.reserve(static_cast<std::size_t>(length) * 2);
        for (std::int32_t c = 0; c < length; ++c) {
            strip.push_back((r - 1) * length + c);
            strip.push_back(r * length + c);
        }
    }
    return strips;
}

std::array<std::array<TVec3, 4>, 6> FrameFaces(const TVec3& high, const TVec3& low) {
    TVec3 extent;
    VTSUB(low, high, extent);
    TVec3 h;
    TVec3 l;
    for (std::size_t a = 0; a < 3; ++a) {
        h[a] = high[a] + extent[a] * 0.01f;
        l[a] = low[a] - extent[a] * 0.01f;
    }
    // Each face is drawn as an open strip of three edges; the corners are
    // ordered so that every edge the strips leave out is drawn by another
    // face and the whole box is outlined.
    return {{
        {{{l[0], l[1], l[2]}, {l[0], h[1], l[2]}, {l[0], h[1], h[2]}, {l[0], l[1], h[2]}}},
        {{{h[0], l[1], l[2]}, {h[0], h[1], l[2]}, {h[0], h[1], h[2]}, {h[0], l[1], h[2]}}},
        {{{l[0], l[1], h[2]}, {l[0], l[1], l[2]}, {h[0], l[1], l[2]}, {h[0], l[1], h[2]}}},
        {{{l[0], h[1], l[2]}, {h[0], h[1], l[2]}, {h[0], h[1], h[2]}, {l[0], h[1], h[2]}}},
        {{{l[0], l[1], l[2]}, {h[0], l[1], l[2]}, {h[0], h[1], l[2]}, {l[0], h[1], l[2]}}},
        {{{l[0], l[1], h[2]}, {h[0], l[1], h[2]}, {h[0], h[1], h[2]}, {l[0], h[1], h[2]}}},
    }};
}

} // namespace orvanta
