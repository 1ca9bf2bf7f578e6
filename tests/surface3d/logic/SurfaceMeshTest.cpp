// The response surface as a mesh: built from the graph holder's grid into
// the room, coloured by the three schemes, cut into triangle strips, and
// the frame around it.
#include "surface3d/SurfaceMesh.h"
#include "plan/SilentPlanHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <utility>

using namespace orvanta;

namespace {

class SurfaceMeshTest : public ::testing::Test {
protected:
    // A grid as the surface wizard computes it: first factor outer (firsts
    // points from 0), second inner (seconds points from 100), response y.
    void Fill(std::int32_t firsts, std::int32_t seconds, float (*response)(float, float)) {
        holder.BeginSurface(seconds, firsts);
        for (std::int32_t i = 0; i < firsts; ++i)
            for (std::int32_t j = 0; j < seconds; ++j) {
                const float x1 = static_cast<float>(i);
                const float x2 = 100.0f + static_cast<float>(j);
                holder.AddPoint3D(x1, x2, response(x1, x2));
            }
    }

    TSilentPlanHost host;
    TGraphHolder holder{host};
    TSurface mesh;
    TSettings settings;
};

float Saddle(float x1, float x2) {
    return (x1 - 4) * (x2 - 105) + 3;
}
float Flat(float, float) {
    return 7;
}

void ExpectNear(const TVec3& actual, const TVec3& expected) {
    for (std::size_t a = 0; a < 3; ++a)
        EXPECT_NEAR(actual[a], expected[a], 1e-6f) << "component " << a;
}

bool InRoom(const TVec3& p) {
    return p[0] >= -0.5f && p[0] <= 0.5f && p[1] >= 0.0f && p[1] <= 1.0f && p[2] >= -0.5f &&
           p[2] <= 0.5f;
}

TEST_F(SurfaceMeshTest, ATenByTenGridFillsTheRoom) {
    Fill(10, 10, Saddle);
    BuildMesh(holder, mesh);
    EXPECT_EQ(mesh.RowCount, 10);
    EXPECT_EQ(mesh.RowLength, 10);
    ASSERT_EQ(mesh.Positions.size(), 100u);
    EXPECT_TRUE(std::all_of(mesh.Positions.begin(), mesh.Positions.end(), InRoom));
    TVec3 high;
    TVec3 low;
    SURFGETBBOX(high, low, mesh);
    EXPECT_EQ(high, RoomHigh);
    EXPECT_EQ(low, RoomLow);
}

TEST_F(SurfaceMeshTest, RowsFollowTheFirstFactorAndColumnsTheSecond) {
    Fill(5, 3, Saddle);
    BuildMesh(holder, mesh);
    ASSERT_EQ(mesh.RowCount, 5);
    ASSERT_EQ(mesh.RowLength, 3);
    // Vertex (r, c): x from the first factor's point r, z from the second's c.
    for (std::int32_t r = 0; r < 5; ++r)
        for (std::int32_t c = 0; c < 3; ++c) {
            const TVec3& p = mesh.Positions[static_cast<std::size_t>(r * 3 + c)];
            EXPECT_FLOAT_EQ(p[0], -0.5f + 0.25f * static_cast<float>(r));
            EXPECT_FLOAT_EQ(p[2], -0.5f + 0.5f * static_cast<float>(c));
        }
}

TEST_F(SurfaceMeshTest, AShortVertexListKeepsOnlyItsCompleteRows) {
    holder.BeginSurface(4, 3);
    for (int i = 0; i < 9; ++i) // two rows of four and one vertex more
        holder.AddPoint3D(i / 4, i % 4, i);
    BuildMesh(holder, mesh);
    EXPECT_EQ(mesh.RowCount, 2);
    EXPECT_EQ(mesh.Positions.size(), 8u);
    EXPECT_EQ(StripIndices(mesh).size(), 1u);
}

TEST_F(SurfaceMeshTest, StripsPairAdjacentRows) {
    Fill(2, 2, Saddle);
    BuildMesh(holder, mesh);
    // (r-1, 0), (r, 0), (r-1, 1), (r, 1) for r = 1
    EXPECT_EQ(StripIndices(mesh), (std::vector<std::vector<std::int32_t>>{{0, 2, 1, 3}}));
    Fill(3, 4, Saddle);
    BuildMesh(holder, mesh);
    const auto strips = StripIndices(mesh);
    ASSERT_EQ(strips.size(), 2u);
    EXPECT_EQ(strips[1], (std::vector<std::int32_t>{4, 8, 5, 9, 6, 10, 7, 11}));
}

TEST(SurfaceColourTest, SettingsBytesAreDividedBy256) {
    const struct {
        TColorValue Value;
        float R, G, B;
    } cases[] = {
        {0x00FFFFFF, 255 / 256.0f, 255 / 256.0f, 255 / 256.0f},
        {Rgb(255, 0, 0), 255 / 256.0f, 0, 0},
        {Rgb(0, 128, 0), 0, 0.5f, 0},
        {Rgb(0, 0, 64), 0, 0, 0.25f},
        {0x80000005, 255 / 256.0f, 255 / 256.0f, 255 / 256.0f}, // window: white
        {0x80000008, 0, 0, 0},                                  // window text: black
        {0x8000000F, 0.75f, 0.75f, 0.75f},                      // button face: 192
        {0x800000FF, 0, 0, 0},                                  // no such system colour
    };
    for (const auto& c : cases) {
        const TGLColor gl = GLColorOf(c.Value);
        EXPECT_FLOAT_EQ(gl.R, c.R) << std::hex << c.Value;
        EXPECT_FLOAT_EQ(gl.G, c.G) << std::hex << c.Value;
        EXPECT_FLOAT_EQ(gl.B, c.B) << std::hex << c.Value;
    }
}

TEST_F(SurfaceMeshTest, AFlatSurfaceTakesTheFirstColourInEveryScheme) {
    Fill(4, 4, Flat);
    BuildMesh(holder, mesh);
    settings.SSurfColor1 = Rgb(64, 128, 192);
    const TVec3 first{0.25f, 0.5f, 0.75f};
    for (std::uint8_t scheme : {0, 2}) {
        settings.LBSurfScheme = scheme;
        ColourMesh(mesh, settings, [] { return 0; });
        ASSERT_EQ(mesh.Colors.size(), 16u);
        for (const TVec3& c : mesh.Colors)
            EXPECT_EQ(c, first) << "scheme " << int(scheme);
    }
}

TEST_F(SurfaceMeshTest, TwoColoursFollowTheResponse) {
    holder.BeginSurface(3, 1);
    for (float y : {10.0f, 30.0f, 20.0f})
        holder.AddPoint3D(0, y, y);
    BuildMesh(holder, mesh);
    settings.LBSurfScheme = 2;
    settings.SSurfColor1 = Rgb(0, 64, 255);
    settings.SSurfColor2 = Rgb(128, 192, 0);
    ColourMesh(mesh, settings, [] { return 0; });
    ExpectNear(mesh.Colors[0], {0, 0.25f, 255 / 256.0f});    // lowest: first
    ExpectNear(mesh.Colors[1], {0.5f, 0.75f, 0});            // highest: second
    ExpectNear(mesh.Colors[2], {0.25f, 0.5f, 255 / 512.0f}); // halfway
}

TEST_F(SurfaceMeshTest, RandomColoursAreDrawnAnewRowByRow) {
    Fill(3, 3, Saddle);
    BuildMesh(holder, mesh);
    settings.LBSurfScheme = 1;
    int next = 0;
    ColourMesh(mesh, settings, [&next] { return next++; });
    // Components in storage order: vertex 2 takes the draws 6, 7, 8.
    EXPECT_EQ(mesh.Colors[2], (TVec3{6 / 256.0f, 7 / 256.0f, 8 / 256.0f}));
    std::mt19937 engine(1);
    std::uniform_int_distribution<int> byte(0, 255);
    ColourMesh(mesh, settings, [&] { return byte(engine); });
    const std::vector<TVec3> before = mesh.Colors;
    ColourMesh(mesh, settings, [&] { return byte(engine); });
    EXPECT_NE(mesh.Colors, before);
    for (const TVec3& c : mesh.Colors)
        for (float component : c)
            EXPECT_TRUE(component >= 0.0f && component < 1.0f);
}

TEST(SurfaceFrameTest, TheFrameOutlinesTheBoxEnlargedByOnePercent) {
    const TVec3 high{0.5f, 1, 2};
    const TVec3 low{-0.5f, 0, 1};
    const auto faces = FrameFaces(high, low);
    std::set<std::pair<TVec3, TVec3>> edges;
    std::set<TVec3> corners;
    for (const auto& face : faces)
        for (std::size_t i = 0; i < 4; ++i) {
            corners.insert(face[i]);
            if (i > 0)
                edges.insert(std::minmax(face[i - 1], face[i]));
        }
    ASSERT_EQ(corners.size(), 8u);
    ExpectNear(*corners.begin(), {-0.51f, -0.01f, 0.99f});
    ExpectNear(*corners.rbegin(), {0.51f, 1.01f, 2.01f});
    // Drawn as open strips, the faces still give all twelve edges.
    EXPECT_EQ(edges.size(), 12u);
    for (const auto& [a, b] : edges) {
        int differing = 0;
        for (std::size_t k = 0; k < 3; ++k)
            differing += a[k] != b[k];
        EXPECT_EQ(differing, 1);
    }
}

} // namespace
