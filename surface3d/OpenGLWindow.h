#pragma once

#include "plan/Settings.h"
#include "surface3d/OpenGLScene.h"
#include "surface3d/SolidLib.h"

#include <QOpenGLWidget>
#include <QSet>
#include <QSurfaceFormat>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QMenu;
class QOpenGLContext;
class QOpenGLFunctions_1_1;

namespace orvanta {

class TGLBitSize;
class TGraphHolder;

// The response surface window ("Поверхность отклика"): the scene drawn with
// OpenGL, animated from the idle moments of the application while the
// window has the keyboard focus and the application is active, and stopped
// (drawn only when asked) otherwise. Its menu "Правка" joins the main
// window's menu bar while it is active. Every context it makes or releases
// is written to the OpenGL state window.
class TOpenGLWindow : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit TOpenGLWindow(QWidget* parent = nullptr);
    ~TOpenGLWindow() override;

    // Builds the mesh from the holder's surface vertices and colours it;
    // the window keeps it, so that a context made anew draws it again.
    void SetSurface(const TGraphHolder& holder);
    // Recolours the mesh and sets the camera from the options; the scene is
    // drawn with them from now on.
    void ApplyOptions(const TSettings& settings);

    // "Формат ...": the options dialog on its page "Диаграмма".
    std::function<void()> OnFormat;
    // The window is closing (the holder forgets it).
    std::function<void()> OnClose;
    // The save dialog "Сохранить растр как"; nullopt when cancelled.
    std::function<std::optional<std::string>()> AskBitmapFile;
    // The size dialog "Вывод в растр"; nullopt when cancelled.
    std::function<std::optional<QSize>()> AskBitmapSize;
    // The fixed-function OpenGL of a context, null when it has none (the
    // window then shows its error picture). Tests replace it.
    std::function<QOpenGLFunctions_1_1*(QOpenGLContext*)> FixedFunctions;

    TOpenGLScene* Scene() const { return TheScene.get(); }
    int RenderState() const;
    // Draws one frame of the scene off the screen into a picture of the
    // given size (24-bit); false, with the reason in the log, when no
    // context could be had for it.
    bool DrawToBitmap(int width, int height, QImage& out);
    // The window's pixels as they are now, 24-bit.
    QImage CaptureWindow();

    void Pause();
    void Resume();
    // Sizes the window (its frame too, inside the main window's child area)
    // so that the drawing area has the size the checked size item names.
    void ApplySelectedSize();

    QMenu* EditMenu = nullptr;
    QMenu* WindowSizeMenu = nullptr;
    // "320 Х 240" ... "1600 Х 1200".
    std::array<QAction*, 10> SizeItems{};
    QAction* CaptureItem = nullptr;
    QAction* BitDrawItem = nullptr;
    QAction* ResetPosItem = nullptr;
    QAction* FormatItem = nullptr;
    QAction* LogItem = nullptr;

    void CaptureItemClick();
    void BitDrawItemClick();
    void ResetPosItemClick();
    void FormatItemClick();
    void LogItemClick();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    QAction* Command(const char* name, const QString& caption, void (TOpenGLWindow::*handler)());
    void SizeItemClick(int index);
    void EnableSizeItems();
    void EditMenuAboutToShow();

    void GLCreate();
    bool GLCreateContext();
    void GLDestroy();
    void DrawErrorPicture();
    void MakeOpaque();
    bool DrawOffScreen(int width, int height, QImage& out);
    bool DrawInContext(QOpenGLContext& bitmapContext, int width, int height, QImage& out);
    bool MayRun() const;
    void NextFrame();
    void ApplicationStateChanged(Qt::ApplicationState state);
    TViewportRect ClientRect() const;
    void ColourMesh();
    std::optional<QSize> RunSizeDialog();

    std::unique_ptr<TOpenGLScene> TheScene;
    QOpenGLFunctions_1_1* WindowFunctions = nullptr;
    QMetaObject::Connection ContextGoing;
    TSettings Options;
    TSurface Mesh;
    bool MeshReady = false;
    QSet<int> PressedKeys;
    std::uint32_t CurrentTick = 0;
    std::uint32_t LastTick = 0;
    std::int32_t FrameCount = 0;
    std::uint8_t SavedState = 0;
    // The state before the window's menu opened.
    std::uint8_t MenuSavedState = 0;
    int SelectedSize = 2;
    QTimer OneSecond;
    TGLBitSize* BitSize = nullptr;
};

} // namespace orvanta
