// The mesh and vector library of the surface scene: the argument orders its
// call sites rely on, the rotations against hand-computed values, and the
// box of a mesh.
#include "surface3d/SolidLib.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

using namespace orvanta;

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

void ExpectNear(const TVec3& actual, const TVec3& expected, float tolerance = 1e-6f) {
    for (std::size_t a = 0; a < 3; ++a)
        EXPECT_NEAR(actual[a], expected[a], tolerance) << "component " << a;
}

TEST(SolidLibTest, VectorOperationsKeepTheirArgumentOrder) {
    const TVec3 a{1, 2, 3};
    const TVec3 b{10, 20, 40};
    TVec3 out;
    VTSUB(a, b, out);
    ExpectNear(out, {9, 18, 37}); // b - a, not a - b
    VTADD(a, b, out);
    ExpectNear(out, {11, 22, 43});
    VTCROSS(TVec3{1, 0, 0}, TVec3{0, 1, 0}, out);
    ExpectNear(out, {0, 0, 1});
    VTCROSS(a, b, out); // (2*40 - 3*20, 3*10 - 1*40, 1*20 - 2*10)
    ExpectNear(out, {20, -10, 0});
    VTCOPY(a, out);
    ExpectNear(out, a);
    VTZERO(out);
    ExpectNear(out, {0, 0, 0});
}

struct TRotationCase {
    const char* Name;
    void (*Rotation)(float, TMat3&);
    float Angle;
    TVec3 In;
    TVec3 Out;
};

class SolidLibRotationTest : public ::testing::TestWithParam<TRotationCase> {};

TEST_P(SolidLibRotationTest, TurnsVectorsCounterClockwise) {
    const TRotationCase& c = GetParam();
    TMat3 m;
    c.Rotation(c.Angle, m);
    TVec3 out;
    MTVECMUL(c.In, m, out);
    ExpectNear(out, c.Out, 1e-5f);
}

// cos 30 deg = 0.8660254, sin 30 deg = 0.5.
INSTANTIATE_TEST_SUITE_P(
    HandValues, SolidLibRotationTest,
    ::testing::Values(
        TRotationCase{"x90", MTXROTATION, Pi / 2, {0, 1, 0}, {0, 0, 1}},
        TRotationCase{"y90", MTYROTATION, Pi / 2, {0, 0, 1}, {1, 0, 0}},
        TRotationCase{"z90", MTZROTATION, Pi / 2, {1, 0, 0}, {0, 1, 0}},
        TRotationCase{"x30", MTXROTATION, Pi / 6, {1, 2, 3}, {1, 0.2320508f, 3.5980762f}},
        TRotationCase{"y30", MTYROTATION, Pi / 6, {1, 2, 3}, {2.3660254f, 2, 2.0980762f}},
        TRotationCase{"z30", MTZROTATION, Pi / 6, {1, 2, 3}, {-0.1339746f, 2.2320508f, 3}},
        TRotationCase{"zMinus90", MTZROTATION, -Pi / 2, {1, 0, 0}, {0, -1, 0}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SolidLibTest, ProductsOfRotationsAddTheirAngles) {
    TMat3 a;
    TMat3 b;
    TMat3 sum;
    MTZROTATION(0.3f, a);
    MTZROTATION(0.5f, b);
    MTZROTATION(0.8f, sum);
    MTMUL(a, b, a); // the output may be an input
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_NEAR(a[i], sum[i], 1e-6f);
}

TEST(SolidLibTest, TheTransposeOfARotationUndoesIt) {
    TMat3 x;
    TMat3 y;
    TMat3 r;
    MTXROTATION(0.7f, x);
    MTYROTATION(-1.1f, y);
    MTMUL(x, y, r);
    TMat3 back;
    MTTRANSPOSE(r, back);
    TMat3 inPlace;
    MTCOPY(r, inPlace);
    MTSELFTRANSPOSE(inPlace);
    TMat3 product;
    MTMUL(r, back, product);
    TMat3 identity;
    MTIDENTITY(identity);
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_NEAR(product[i], identity[i], 1e-6f);
        EXPECT_EQ(inPlace[i], back[i]);
    }
}

// OpenGL applies a loaded matrix as out_i = sum_j m[4 j + i] v_j.
TEST(SolidLibTest, TheUpperLeftOfTheViewMatrixIsTheSameMap) {
    TMat3 r;
    MTZROTATION(Pi / 2, r);
    TMat4 view;
    MTHIDENTITY(view);
    view[12] = 7; // a translation that must survive
    MTSETLU(r, view);
    const float v[4] = {1, 0, 0, 1};
    TVec3 gl{};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 4; ++j)
            gl[i] += view[j * 4 + i] * v[j];
    ExpectNear(gl, {7, 1, 0});
    TMat3 back;
    MTGETLU(view, back);
    EXPECT_EQ(back, r);
    EXPECT_EQ(view[15], 1.0f);
}

TEST(SolidLibTest, ANewMeshHasRoomForItsGridAndGrowsInRowOrder) {
    TSurface s;
    SURFNEW(3, 4, s);
    EXPECT_EQ(s.RowCount, 3);
    EXPECT_EQ(s.RowLength, 4);
    EXPECT_GE(s.Positions.capacity(), 12u);
    EXPECT_TRUE(s.Positions.empty());
    for (int i = 0; i < 12; ++i)
        SURFADDVTX(0, 0, 0, TVec3{static_cast<float>(i), 0, 0}, s);
    ASSERT_EQ(s.Positions.size(), 12u);
    EXPECT_EQ(s.Colors.size(), 12u);
    EXPECT_EQ(s.Positions[1 * 4 + 2][0], 6.0f); // vertex (1, 2)
    SURFDELETE(s);
    EXPECT_TRUE(s.Positions.empty());
    EXPECT_EQ(s.RowCount, 0);
}

TEST(SolidLibTest, SettingTheBoxRescalesAndReadsBack) {
    TSurface s;
    SURFNEW(1, 3, s);
    SURFADDVTX(0, 0, 0, TVec3{2, -10, 100}, s);
    SURFADDVTX(0, 0, 0, TVec3{4, 30, 100}, s);
    SURFADDVTX(0, 0, 0, TVec3{3, 20, 100}, s); // z is flat
    TVec3 high;
    TVec3 low;
    SURFGETBBOX(high, low, s);
    ExpectNear(high, {4, 30, 100});
    ExpectNear(low, {2, -10, 100});
    SURFSETBBOX(TVec3{0.5f, 1, 0.5f}, TVec3{-0.5f, 0, -0.5f}, s);
    SURFGETBBOX(high, low, s);
    ExpectNear(high, {0.5f, 1, -0.5f}); // a flat axis sits at the low side
    ExpectNear(low, {-0.5f, 0, -0.5f});
    ExpectNear(s.Positions[2], {0, 0.75f, -0.5f}); // proportions kept
}

TEST(SolidLibTest, InfiniteResponsesDoNotStretchTheBox) {
    TSurface s;
    SURFNEW(1, 3, s);
    SURFADDVTX(0, 0, 0, TVec3{0, std::numeric_limits<float>::infinity(), 0}, s);
    SURFADDVTX(0, 0, 0, TVec3{1, 2, 1}, s);
    SURFADDVTX(0, 0, 0, TVec3{2, std::numeric_limits<float>::quiet_NaN(), 2}, s);
    TVec3 high;
    TVec3 low;
    SURFGETBBOX(high, low, s);
    ExpectNear(high, {2, 2, 2});
    ExpectNear(low, {0, 2, 0});
}

} // namespace
