#include "surface3d/OpenGLScene.h"

#include "numeric/Cp1251.h"
#include "numeric/NumberText.h"
#include "surface3d/BitmapFont.h"
#include "surface3d/SurfaceMesh.h"

#include <QOpenGLFunctions_1_1>

#include <array>

namespace orvanta {

namespace {

constexpr int GridLines = 21;
constexpr float GridStep = 0.05f;
constexpr float RoomAlpha = 0.5f;
constexpr float FrameAlpha = 0.6f;
constexpr float GridLift = 0.01f;
constexpr GLsizei FontCodes = 256;
// "Обновление остановлено" is 22 characters of 8 pixels.
constexpr std::int32_t StoppedTextWidth = 176;

void Colour(QOpenGLFunctions_1_1& gl, TColorValue value, float alpha = 1.0f) {
    const TGLColor c = GLColorOf(value);
    gl.glColor4f(c.R, c.G, c.B, alpha);
}

// One wall of the room: 21 lines along each of its two directions, spaced
// 0.05 over the unit square from its corner along u and v.
void Wall(QOpenGLFunctions_1_1& gl, const TVec3& corner, const TVec3& u, const TVec3& v) {
    gl.glBegin(GL_LINES);
    for (int i = 0; i < GridLines; ++i) {
        const float t = GridStep * static_cast<float>(i);
        for (int axis = 0; axis < 2; ++axis) {
            const TVec3& along = axis == 0 ? u : v;
            const TVec3& across = axis == 0 ? v : u;
            TVec3 from{};
            TVec3 to{};
            for (int k = 0; k < 3; ++k) {
                from[k] = corner[k] + across[k] * t;
                to[k] = from[k] + along[k];
            }
            gl.glVertex3fv(from.data());
            gl.glVertex3fv(to.data());
        }
    }
    gl.glEnd();
}

// A glyph's rows from the bottom up, as glBitmap reads them.
template <std::size_t Rows> std::array<GLubyte, Rows> BottomUp(const std::uint8_t* glyph) {
    std::array<GLubyte, Rows> rows{};
    for (std::size_t r = 0; r < Rows; ++r)
        rows[r] = glyph[Rows - 1 - r];
    return rows;
}

} // namespace

void TOpenGLScene::PrepareContext() {
    GL->glClearDepth(1.0);
    GL->glDepthFunc(GL_LESS);
    // The font's bitmaps are packed bytes, the leftmost pixel in the high bit.
    GL->glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    GL->glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

void TOpenGLScene::Resize(const TViewportRect& rect) {
    const std::int32_t width = rect.Right - rect.Left;
    const std::int32_t height = rect.Bottom - rect.Top;
    if (width <= 0 || height <= 0)
        return;
    Viewport = rect;
    GL->glViewport(rect.Left, rect.Top, width, height);
    const double aspect = static_cast<double>(height) / width;
    GL->glMatrixMode(GL_PROJECTION);
    GL->glLoadIdentity();
    GL->glFrustum(-1.0, 1.0, -aspect, aspect, 1.0, 32.0);
    GL->glMatrixMode(GL_MODELVIEW);
    GL->glLoadIdentity();
}

bool TOpenGLScene::Step(std::uint32_t previousTick, std::uint32_t currentTick,
                        const std::function<bool(int)>& pressed) {
    // The difference of wrapping tick counts, negative when they run back.
    const auto elapsed = static_cast<std::int32_t>(currentTick - previousTick);
    return Controller.Step(static_cast<float>(elapsed), pressed);
}

void TOpenGLScene::Draw(const TSettings& settings, bool withText) {
    const TGLColor back = GLColorOf(settings.SBackColor);
    GL->glClearColor(back.R, back.G, back.B, 0.5f);
    GL->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GL->glMatrixMode(GL_MODELVIEW);
    GL->glLoadMatrixf(Controller.ViewMatrix().data());
    GL->glScalef(4.0f, 4.0f, 4.0f);

    GL->glEnable(GL_DEPTH_TEST);
    GL->glEnable(GL_LINE_SMOOTH);
    GL->glLineWidth(1.4f);
    GL->glEnable(GL_BLEND);
    GL->glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawRoom(settings);
    GL->glDisable(GL_BLEND);
    GL->glDisable(GL_LINE_SMOOTH);

    if (HasSurface) {
        TVec3 high{};
        TVec3 low{};
        SURFGETBBOX(high, low, Surface);
        DrawMesh(settings);
        GL->glEnable(GL_DEPTH_TEST);
        if (settings.CBDrawBasis)
            DrawAxes(settings);
        GL->glDisable(GL_BLEND);
        if (settings.CBDrawBBox)
            DrawFrame(settings, high, low);
    }
    if (settings.CBShowFPS && withText && FontBase != 0)
        DrawStatusText(settings);
}

void TOpenGLScene::DrawRoom(const TSettings& settings) {
    // The floor, the back wall and the side wall, each in the colour of the
    // axis that stands up from it.
    Colour(*GL, settings.SYWallColor, RoomAlpha);
    Wall(*GL, {-0.5f, 0.0f, -0.5f}, {1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f});
    Colour(*GL, settings.SZWallColor, RoomAlpha);
    Wall(*GL, {-0.5f, 0.0f, -0.5f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    Colour(*GL, settings.SXWallColor, RoomAlpha);
    Wall(*GL, {-0.5f, 0.0f, -0.5f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f});
}

void TOpenGLScene::DrawMesh(const TSettings& settings) {
    GL->glDisable(GL_CULL_FACE);
    if (settings.CBBlendSurface) {
        GL->glEnable(GL_BLEND);
        GL->glBlendFunc(GL_ONE_MINUS_DST_ALPHA, GL_DST_ALPHA);
        GL->glDisable(GL_DEPTH_TEST);
    } else {
        GL->glDisable(GL_BLEND);
        GL->glEnable(GL_DEPTH_TEST);
    }
    const std::int32_t rowLength = Surface.RowLength;
    const TVec3* positions = Surface.Positions.data();
    const TVec3* colors = Surface.Colors.data();
    for (std::int32_t r = 1; r < Surface.RowCount; ++r) {
        const std::int32_t upper = (r - 1) * rowLength;
        const std::int32_t lower = r * rowLength;
        GL->glBegin(GL_TRIANGLE_STRIP);
        for (std::int32_t c = 0; c < rowLength; ++c) {
            GL->glColor3fv(colors[upper + c].data());
            GL->glVertex3fv(positions[upper + c].data());
            GL->glColor3fv(colors[lower + c].data());
            GL->glVertex3fv(positions[lower + c].data());
        }
        GL->glEnd();
    }
    if (settings.CBDrawLines)
        DrawGridLines(settings);
}

void TOpenGLScene::DrawGridLines(const TSettings& settings) {
    GL->glDisable(GL_BLEND);
    GL->glEnable(GL_DEPTH_TEST);
    Colour(*GL, settings.SLineColor);
    // Lifted off the surface so that its own triangles do not hide them.
    GL->glPushMatrix();
    GL->glTranslatef(0.0f, GridLift, 0.0f);
    const std::int32_t rowLength = Surface.RowLength;
    const TVec3* positions = Surface.Positions.data();
    for (std::int32_t r = 0; r < Surface.RowCount; ++r) {
        GL->glBegin(GL_LINE_STRIP);
        for (std::int32_t c = 0; c < rowLength; ++c)
            GL->glVertex3fv(positions[r * rowLength + c].data());
        GL->glEnd();
    }
    for (std::int32_t c = 0; c < rowLength; ++c) {
        GL->glBegin(GL_LINE_STRIP);
        for (std::int32_t r = 0; r < Surface.RowCount; ++r)
            GL->glVertex3fv(positions[r * rowLength + c].data());
        GL->glEnd();
    }
    GL->glPopMatrix();
}

void TOpenGLScene::DrawAxes(const TSettings& settings) {
    GL->glScalef(0.5f, 1.0f, 0.5f);
    GL->glLineWidth(2.0f);
    const std::array<std::pair<TColorValue, TVec3>, 3> axes{{
        {settings.SXWallColor, {1.0f, 0.0f, 0.0f}},
        {settings.SYWallColor, {0.0f, 1.0f, 0.0f}},
        {settings.SZWallColor, {0.0f, 0.0f, 1.0f}},
    }};
    GL->glBegin(GL_LINES);
    for (const auto& [colour, end] : axes) {
        Colour(*GL, colour);
        GL->glVertex3f(0.0f, 0.0f, 0.0f);
        GL->glVertex3fv(end.data());
    }
    GL->glEnd();
    GL->glScalef(2.0f, 1.0f, 2.0f);
}

void TOpenGLScene::DrawFrame(const TSettings& settings, const TVec3& high, const TVec3& low) {
    GL->glEnable(GL_LINE_SMOOTH);
    GL->glEnable(GL_BLEND);
    GL->glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    GL->glLineWidth(1.7f);
    Colour(*GL, settings.SBBoxColor, FrameAlpha);
    for (const auto& face : FrameFaces(high, low)) {
        GL->glBegin(GL_LINE_STRIP);
        for (const TVec3& corner : face)
            GL->glVertex3fv(corner.data());
        GL->glVertex3fv(face.front().data());
        GL->glEnd();
    }
    GL->glDisable(GL_BLEND);
    GL->glDisable(GL_LINE_SMOOTH);
}

void TOpenGLScene::DrawStatusText(const TSettings& settings) {
    const std::int32_t width = Viewport.Right - Viewport.Left;
    const std::int32_t height = Viewport.Bottom - Viewport.Top;
    GL->glMatrixMode(GL_PROJECTION);
    GL->glPushMatrix();
    GL->glLoadIdentity();
    GL->glOrtho(0.0, width - 1.0, height - 1.0, 0.0, -10.0, 10.0);
    GL->glMatrixMode(GL_MODELVIEW);
    GL->glPushMatrix();
    GL->glLoadIdentity();
    GL->glDisable(GL_DEPTH_TEST);
    const TGLColor back = GLColorOf(settings.SBackColor);
    GL->glColor3f(1.0f - back.R, 1.0f - back.G, 1.0f - back.B);
    Text(Viewport.Left, Viewport.Top, "FPS = " + FormatGeneral(FramesPerSecond, 15));
    if (RenderState == Stopped)
        Text((width - StoppedTextWidth) / 2, Viewport.Top + 5, "Обновление остановлено");
    GL->glPopMatrix();
    GL->glMatrixMode(GL_PROJECTION);
    GL->glPopMatrix();
    GL->glMatrixMode(GL_MODELVIEW);
    GL->glEnable(GL_DEPTH_TEST);
}

void TOpenGLScene::Text(std::int32_t x, std::int32_t y, const std::string& utf8) {
    const std::string codes = Utf8ToCp1251(utf8);
    GL->glRasterPos2i(x, y);
    GL->glListBase(FontBase);
    GL->glCallLists(static_cast<GLsizei>(codes.size()), GL_UNSIGNED_BYTE, codes.data());
}

void TOpenGLScene::BuildFont() {
    FontBase = GL->glGenLists(FontCodes);
    SmallFontBase = GL->glGenLists(FontCodes);
    for (GLsizei code = 0; code < FontCodes; ++code) {
        const auto byte = static_cast<std::uint8_t>(code);
        // The origin at the top of the glyph: the text hangs below its
        // position, which is where the window's top-down pixels place it.
        const auto large = BottomUp<16>(Glyph8x16(byte));
        GL->glNewList(FontBase + code, GL_COMPILE);
        GL->glBitmap(8, 16, 0.0f, 16.0f, 8.0f, 0.0f, large.data());
        GL->glEndList();
        const auto small = BottomUp<8>(Glyph8x8(byte));
        GL->glNewList(SmallFontBase + code, GL_COMPILE);
        GL->glBitmap(8, 8, 0.0f, 8.0f, 8.0f, 0.0f, small.data());
        GL->glEndList();
    }
}

void TOpenGLScene::FreeFont() {
    if (FontBase != 0)
        GL->glDeleteLists(FontBase, FontCodes);
    if (SmallFontBase != 0)
        GL->glDeleteLists(SmallFontBase, FontCodes);
    FontBase = 0;
    SmallFontBase = 0;
    ClearSurface();
}

void TOpenGLScene::SetSurface(const TSurface& mesh) {
    Surface = mesh;
    HasSurface = true;
}

void TOpenGLScene::ClearSurface() {
    HasSurface = false;
    SURFDELETE(Surface);
}

} // namespace orvanta
