#include "surface3d/OpenGLWindow.h"

#include "surface3d/GLUnavailable.h"

#include "services/GraphHolder.h"
#include "surface3d/GLBitSize.h"
#include "surface3d/GLStateForm.h"
#include "surface3d/SurfaceMesh.h"

#include <QAction>
#include <QActionGroup>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLFunctions_1_1>
#include <QOpenGLVersionFunctionsFactory>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QTime>

namespace orvanta {

namespace {

struct TSizeItem {
    int Width;
    int Height;
};

constexpr std::array<TSizeItem, 10> Sizes{{{320, 240},
                                           {400, 300},
                                           {480, 360},
                                           {512, 384},
                                           {640, 480},
                                           {800, 600},
                                           {960, 720},
                                           {1024, 768},
                                           {1280, 1024},
                                           {1600, 1200}}};
// Sizes below this width fit on any screen and are always offered.
constexpr int AlwaysOfferedWidth = 800;
constexpr int StartSize = 2;

void Log(const QString& line) {
    GLStateForm().Add(line);
}

QString Now() {
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

std::uint32_t TickCount() {
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return static_cast<std::uint32_t>(clock.elapsed());
}

QSurfaceFormat WindowFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setAlphaBufferSize(1);
    format.setDepthBufferSize(16);
    return format;
}

bool IsMovementKey(int key) {
    using C = TController;
    for (std::uint32_t code :
         {C::KeyUp, C::KeyDown, C::KeyLeft, C::KeyRight, C::KeyDelete, C::KeyPageDown, C::KeyR,
          C::KeyF, C::KeyD, C::KeyG, C::KeyZ, C::KeyA})
        if (static_cast<int>(code) == key)
            return true;
    return false;
}

QString Handle(const void* object) {
    return QString::number(reinterpret_cast<quintptr>(object));
}

} // namespace

TOpenGLWindow::TOpenGLWindow(QWidget* parent) : QOpenGLWidget(parent) {
    setObjectName(QStringLiteral("OpenGLWindow"));
    setWindowTitle(QStringLiteral("Поверхность отклика"));
    setFormat(WindowFormat());
    setFocusPolicy(Qt::StrongFocus);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    resize(Sizes[StartSize].Width, Sizes[StartSize].Height);
    Options = Settings();
    FixedFunctions = [](QOpenGLContext* context) {
        return QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_1_1>(context);
    };
    AskBitmapFile = [this] { return AskBitmapFileName(this); };
    AskBitmapSize = [this] { return RunSizeDialog(); };
    CreateMenus();
    OneSecond.setInterval(1000);
    connect(&OneSecond, &QTimer::timeout, this, [this] {
        if (TheScene)
            TheScene->FramesPerSecond = FrameCount;
        FrameCount = 0;
    });
    connect(this, &QOpenGLWidget::frameSwapped, this, &TOpenGLWindow::NextFrame);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &TOpenGLWindow::ApplicationStateChanged);
}

TOpenGLWindow::~TOpenGLWindow() {
    // The context goes after this object; its farewell must not come back.
    disconnect(ContextGoing);
    GLDestroy();
}

// ---- Menu ----

QAction* TOpenGLWindow::Command(const char* name, const QString& caption,
                                void (TOpenGLWindow::*handler)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TOpenGLWindow::CreateMenus() {
    using W = TOpenGLWindow;
    EditMenu = new QMenu(QStringLiteral("Правка"), this);
    EditMenu->setObjectName(QStringLiteral("EditMenu"));
    WindowSizeMenu = EditMenu->addMenu(QStringLiteral("Размер окна"));
    WindowSizeMenu->setObjectName(QStringLiteral("WindowSizeMenu"));
    auto* group = new QActionGroup(this);
    for (std::size_t i = 0; i < Sizes.size(); ++i) {
        // The sign between the numbers is the Cyrillic "Х".
        auto* item = new QAction(QString::number(Sizes[i].Width) + QStringLiteral(" Х ") +
                                     QString::number(Sizes[i].Height),
                                 group);
        item->setObjectName(QStringLiteral("Item%1X%2").arg(Sizes[i].Width).arg(Sizes[i].Height));
        item->setCheckable(true);
        item->setChecked(static_cast<int>(i) == StartSize);
        connect(item, &QAction::triggered, this, [this, i] { SizeItemClick(static_cast<int>(i)); });
        WindowSizeMenu->addAction(item);
        SizeItems[i] = item;
    }
    CaptureItem = Command("CaptureItem", QStringLiteral("Захват ..."), &W::CaptureItemClick);
    CaptureItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    BitDrawItem =
        Command("BitDrawItem", QStringLiteral("Рисовать в растр ..."), &W::BitDrawItemClick);
    BitDrawItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    ResetPosItem =
        Command("ResetPosItem", QStringLiteral("Сброс положения"), &W::ResetPosItemClick);
    FormatItem = Command("FormatItem", QStringLiteral("Формат ..."), &W::FormatItemClick);
    LogItem = Command("LogItem", QStringLiteral("Окно состояния"), &W::LogItemClick);
    EditMenu->addSeparator();
    EditMenu->addActions({CaptureItem, BitDrawItem});
    EditMenu->addSeparator();
    EditMenu->addActions({ResetPosItem, FormatItem, LogItem});
    // The copy shortcuts belong to this window: other windows have their own.
    for (QAction* action : {CaptureItem, BitDrawItem}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    connect(EditMenu, &QMenu::aboutToShow, this, &TOpenGLWindow::EditMenuAboutToShow);
    // While the person is in the menu the scene holds still, and goes on
    // from where it was when the menu closes.
    connect(EditMenu, &QMenu::aboutToShow, this, [this] {
        MenuSavedState = static_cast<std::uint8_t>(RenderState());
        Pause();
    });
    connect(EditMenu, &QMenu::aboutToHide, this, [this] {
        if (MenuSavedState == TOpenGLScene::Running)
            Resume();
    });
}

void TOpenGLWindow::EditMenuAboutToShow() {
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    const bool maximized = sub ? sub->isMaximized() : window()->isMaximized();
    WindowSizeMenu->setEnabled(!maximized);
    EnableSizeItems();
}

void TOpenGLWindow::EnableSizeItems() {
    const QScreen* display = screen();
    const int screenWidth = display ? display->geometry().width() : 0;
    for (std::size_t i = 0; i < Sizes.size(); ++i)
        SizeItems[i]->setEnabled(Sizes[i].Width < AlwaysOfferedWidth ||
                                 Sizes[i].Width <= screenWidth);
}

void TOpenGLWindow::SizeItemClick(int index) {
    SizeItems[static_cast<std::size_t>(index)]->setChecked(true);
    if (index == SelectedSize)
        return;
    SelectedSize = index;
    ApplySelectedSize();
}

void TOpenGLWindow::ApplySelectedSize() {
    const QSize client(Sizes[static_cast<std::size_t>(SelectedSize)].Width,
                       Sizes[static_cast<std::size_t>(SelectedSize)].Height);
    // In the main window's child area the frame around the client grows
    // with it.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->resize(client + (sub->size() - size()));
    else
        resize(client);
}

void TOpenGLWindow::CaptureItemClick() {
    SavedState = static_cast<std::uint8_t>(RenderState());
    Pause();
    if (const std::optional<std::string> path = AskBitmapFile())
        WriteBitmapFile(CaptureWindow(), *path);
    if (SavedState == TOpenGLScene::Running)
        Resume();
}

void TOpenGLWindow::BitDrawItemClick() {
    SavedState = static_cast<std::uint8_t>(RenderState());
    Pause();
    if (const std::optional<QSize> size = AskBitmapSize()) {
        if (const std::optional<std::string> path = AskBitmapFile()) {
            QImage image;
            // A picture that could not be drawn is not written: the log
            // says why.
            if (DrawToBitmap(size->width(), size->height(), image))
                WriteBitmapFile(image, *path);
        }
    }
    if (SavedState == TOpenGLScene::Running)
        Resume();
}

void TOpenGLWindow::ResetPosItemClick() {
    if (TheScene)
        TheScene->Controller.Reset();
    update();
}

void TOpenGLWindow::FormatItemClick() {
    if (OnFormat)
        OnFormat();
}

void TOpenGLWindow::LogItemClick() {
    GLStateForm().exec();
}

std::optional<QSize> TOpenGLWindow::RunSizeDialog() {
    if (!BitSize)
        BitSize = new TGLBitSize(this);
    return BitSize->Run();
}

// ---- The mesh ----

void TOpenGLWindow::SetSurface(const TGraphHolder& holder) {
    BuildMesh(holder, Mesh);
    MeshReady = true;
    ApplyOptions(Options);
}

void TOpenGLWindow::ApplyOptions(const TSettings& settings) {
    Options = settings;
    if (MeshReady)
        ColourMesh();
    if (TheScene) {
        if (MeshReady)
            TheScene->SetSurface(Mesh);
        ApplyControllerOptions(TheScene->Controller, Options);
    }
    update();
}

void TOpenGLWindow::ColourMesh() {
    orvanta::ColourMesh(Mesh, Options,
                        [] { return static_cast<int>(QRandomGenerator::global()->bounded(256)); });
}

// ---- Context ----

int TOpenGLWindow::RenderState() const {
    return TheScene ? TheScene->RenderState : TOpenGLScene::NoContext;
}

TViewportRect TOpenGLWindow::ClientRect() const {
    const qreal ratio = devicePixelRatioF();
    return {0, 0, static_cast<std::int32_t>(width() * ratio),
            static_cast<std::int32_t>(height() * ratio)};
}

void TOpenGLWindow::initializeGL() {
    disconnect(ContextGoing);
    ContextGoing =
        connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &TOpenGLWindow::GLDestroy);
    GLCreate();
}

void TOpenGLWindow::GLCreate() {
    const TGLStateShowing showing(Options.CBShowLog);
    Log(QStringLiteral("===============   GLCreate(): ") + Now());
    LastTick = TickCount();
    FrameCount = 0;
    TheScene = std::make_unique<TOpenGLScene>();
    WindowFunctions = nullptr;
    if (GLCreateContext()) {
        TheScene->UseFunctions(WindowFunctions);
        TheScene->RenderState = TOpenGLScene::Running;
        TheScene->PrepareContext();
        TheScene->BuildFont();
        TheScene->FramesPerSecond = 0;
        TheScene->Resize(ClientRect());
        if (MeshReady)
            TheScene->SetSurface(Mesh);
        ApplyControllerOptions(TheScene->Controller, Options);
        OneSecond.start();
    }
    Log(QStringLiteral("=============   Вызов GLCreate() завершен  ============="));
}

bool TOpenGLWindow::GLCreateContext() {
    Log(QStringLiteral("Создание контекста по дескриптору ") +
        QString::number(static_cast<quintptr>(effectiveWinId())));
    const QStringList windowFlags{QStringLiteral("PFD_DRAW_TO_WINDOW"),
                                  QStringLiteral("PFD_SUPPORT_OPENGL")};
    if (Options.CBDescribePFDs)
        LogPixelFormat(
            QStringLiteral("Требуемый формат пиксела:"),
            PixelFormatOf(WindowFormat(),
                          windowFlags + QStringList{QStringLiteral("PFD_GENERIC_ACCELERATED")}));
    QOpenGLContext* current = context();
    if (!current || !current->isValid()) {
        Log(QStringLiteral("Ошибка wglCreateContext(): контекст OpenGL не создан."));
        return false;
    }
    WindowFunctions = FixedFunctions(current);
    if (!WindowFunctions) {
        Log(QStringLiteral("Ошибка wglCreateContext(): контекст не дает функций OpenGL 1.1."));
        return false;
    }
    const bool software = IsSoftwareRenderer(*WindowFunctions);
    if (Options.CBDescribePFDs) {
        const QSurfaceFormat obtained = current->format();
        LogPixelFormat(QStringLiteral("Ближайший формат пиксела:"),
                       PixelFormatOf(obtained, software ? windowFlags + QStringList{QStringLiteral(
                                                                            "PFD_GENERIC_FORMAT")}
                                                        : windowFlags));
        Log(obtained.alphaBufferSize() > 0
                ? QStringLiteral("Девайс поддержиывает DST_ALPHA.")
                : QStringLiteral("Упс, девайс не поддержиывает DST_ALPHA, прозрачность работать "
                                 "правильно не будет!"));
    }
    Log(software ? QStringLiteral("Графический акселератор не задействован.")
                 : QStringLiteral("Задействован графический акселератор."));
    Log(QStringLiteral("Инициализация завершена. Драйвер:"));
    for (const QString& line : DriverLines(*WindowFunctions))
        Log(line);
    return true;
}

void TOpenGLWindow::GLDestroy() {
    const TGLStateShowing showing(Options.CBShowLog);
    Log(QStringLiteral("===============   GLDestroy(): ") + Now());
    OneSecond.stop();
    if (TheScene) {
        QOpenGLContext* current = context();
        if (TheScene->RenderState != TOpenGLScene::NoContext && current) {
            makeCurrent();
            TheScene->FreeFont();
            doneCurrent();
        }
        TheScene->RenderState = TOpenGLScene::NoContext;
        TheScene.reset();
        WindowFunctions = nullptr;
        if (current)
            Log(QStringLiteral("Контекст %1 (OpenGL) удален.").arg(Handle(current)));
    }
    Log(QStringLiteral("===============  Вызов GLDestroy() завершен ==============="));
}

// ---- Frames ----

void TOpenGLWindow::resizeGL(int, int) {
    if (TheScene && TheScene->RenderState != TOpenGLScene::NoContext)
        TheScene->Resize(ClientRect());
}

void TOpenGLWindow::paintGL() {
    if (!TheScene)
        return;
    if (TheScene->RenderState == TOpenGLScene::NoContext) {
        DrawErrorPicture();
        return;
    }
    CurrentTick = TickCount();
    if (TheScene->RenderState == TOpenGLScene::Running)
        TheScene->Step(LastTick, CurrentTick, [this](int key) {
            return PressedKeys.contains(
                static_cast<int>(TheScene->Controller.Keys[static_cast<std::size_t>(key)].Code));
        });
    TheScene->Draw(Options);
    MakeOpaque();
    LastTick = CurrentTick;
    ++FrameCount;
    if (TheScene->RenderState == TOpenGLScene::Running && !MayRun())
        Pause();
    else if (TheScene->RenderState == TOpenGLScene::Stopped && MayRun())
        Resume();
}

void TOpenGLWindow::MakeOpaque() {
    // The scene clears with half alpha for its transparency blending; the
    // window itself is shown opaque, as the background colour says, not
    // mixed with whatever lies under it on the screen.
    QOpenGLFunctions* gl = context()->functions();
    gl->glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    gl->glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    gl->glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void TOpenGLWindow::DrawErrorPicture() {
    QPainter painter(this);
    PaintOpenGLError(painter, rect());
}

bool TOpenGLWindow::MayRun() const {
    return hasFocus() && QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void TOpenGLWindow::NextFrame() {
    // The animation asks for the next frame as soon as the last one is on
    // the screen: it runs on the application's idle moments.
    if (RenderState() == TOpenGLScene::Running && isVisible())
        update();
}

void TOpenGLWindow::Pause() {
    if (!TheScene || TheScene->RenderState == TOpenGLScene::NoContext)
        return;
    TheScene->RenderState = TOpenGLScene::Stopped;
    // Once more, so that "Обновление остановлено" shows.
    update();
}

void TOpenGLWindow::Resume() {
    if (!TheScene || TheScene->RenderState == TOpenGLScene::NoContext)
        return;
    TheScene->RenderState = TOpenGLScene::Running;
    LastTick = CurrentTick = TickCount();
    update();
}

void TOpenGLWindow::ApplicationStateChanged(Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive)
        Pause();
    else if (hasFocus())
        Resume();
}

// ---- Events ----

void TOpenGLWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Insert) {
        ResetPosItemClick();
        return;
    }
    if (!IsMovementKey(event->key())) {
        QOpenGLWidget::keyPressEvent(event);
        return;
    }
    // Held keys are the camera's: they go no further up.
    if (!event->isAutoRepeat())
        PressedKeys.insert(event->key());
}

void TOpenGLWindow::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat())
        PressedKeys.remove(event->key());
    QOpenGLWidget::keyReleaseEvent(event);
}

void TOpenGLWindow::focusInEvent(QFocusEvent* event) {
    QOpenGLWidget::focusInEvent(event);
    Resume();
}

void TOpenGLWindow::focusOutEvent(QFocusEvent* event) {
    QOpenGLWidget::focusOutEvent(event);
    // Keys released elsewhere would otherwise stay held.
    PressedKeys.clear();
    Pause();
}

void TOpenGLWindow::showEvent(QShowEvent* event) {
    QOpenGLWidget::showEvent(event);
    EnableSizeItems();
    if (RenderState() != TOpenGLScene::NoContext)
        OneSecond.start();
}

void TOpenGLWindow::hideEvent(QHideEvent* event) {
    OneSecond.stop();
    QOpenGLWidget::hideEvent(event);
}

void TOpenGLWindow::closeEvent(QCloseEvent* event) {
    OneSecond.stop();
    if (OnClose)
        OnClose();
    QOpenGLWidget::closeEvent(event);
}

// ---- Pictures ----

QImage TOpenGLWindow::CaptureWindow() {
    return Rgb888(grabFramebuffer());
}

bool TOpenGLWindow::DrawToBitmap(int width, int height, QImage& out) {
    const TGLStateShowing showing(Options.CBShowLog);
    Log(QStringLiteral("===============   DrawToBitmap(): ") + Now());
    if (Options.CBDescribePFDs)
        LogPixelFormat(
            QStringLiteral("Требуемый формат пиксела:"),
            {{QStringLiteral("PFD_DRAW_TO_BITMAP"), QStringLiteral("PFD_SUPPORT_OPENGL")},
             24,
             0,
             0,
             0,
             8,
             32,
             0});
    const bool drawn = TheScene && DrawOffScreen(width, height, out);
    if (!TheScene)
        Log(QStringLiteral("Ошибка wglCreateContext(): окно еще не показано, сцены нет."));
    Log(QStringLiteral("=============   Вызов DrawToBitmap() завершен  ============="));
    return drawn;
}

bool TOpenGLWindow::DrawOffScreen(int width, int height, QImage& out) {
    QOpenGLContext* previous = QOpenGLContext::currentContext();
    QSurface* previousSurface = previous ? previous->surface() : nullptr;
    QSurfaceFormat format = WindowFormat();
    format.setAlphaBufferSize(8);
    QOffscreenSurface surface;
    surface.setFormat(format);
    surface.create();
    bool drawn = false;
    QString handle;
    {
        QOpenGLContext bitmapContext;
        bitmapContext.setFormat(format);
        if (!bitmapContext.create()) {
            Log(QStringLiteral("Ошибка wglCreateContext(): контекст OpenGL не создан."));
            return false;
        }
        handle = Handle(&bitmapContext);
        if (!bitmapContext.makeCurrent(&surface))
            Log(QStringLiteral("Ошибка wglMakeCurrent(): контекст не стал текущим."));
        else
            drawn = DrawInContext(bitmapContext, width, height, out);
    }
    Log(QStringLiteral("Контекст ") + handle + QStringLiteral(" удален."));
    if (previous && previousSurface)
        previous->makeCurrent(previousSurface);
    return drawn;
}

bool TOpenGLWindow::DrawInContext(QOpenGLContext& bitmapContext, int width, int height,
                                  QImage& out) {
    QOpenGLFunctions_1_1* gl = FixedFunctions(&bitmapContext);
    if (!gl) {
        bitmapContext.doneCurrent();
        Log(QStringLiteral("Ошибка wglCreateContext(): контекст не дает функций OpenGL 1.1."));
        return false;
    }
    auto bitmap =
        std::make_unique<QOpenGLFramebufferObject>(width, height, QOpenGLFramebufferObject::Depth);
    if (!bitmap->isValid() || !bitmap->bind()) {
        bitmap.reset();
        bitmapContext.doneCurrent();
        Log(QStringLiteral("Ошибка SetPixelFormat(): растр %1 x %2 не создан.")
                .arg(width)
                .arg(height));
        return false;
    }
    TheScene->UseFunctions(gl);
    TheScene->Resize({0, 0, width, height});
    TheScene->PrepareContext();
    QElapsedTimer clock;
    clock.start();
    // The font lives in the window's context only: no text in the picture.
    TheScene->Draw(Options, false);
    gl->glFinish();
    const qint64 elapsed = clock.elapsed();
    const QStringList driver = DriverLines(*gl);
    out = Rgb888(bitmap->toImage());
    bitmap.reset();
    bitmapContext.doneCurrent();

    TheScene->UseFunctions(WindowFunctions);
    if (WindowFunctions) {
        makeCurrent();
        TheScene->Resize(ClientRect());
        doneCurrent();
    }
    Log(QStringLiteral("Сцена нарисована за ") + QString::number(elapsed) +
        QStringLiteral(" миллисекунд драйвером:"));
    for (const QString& line : driver)
        Log(line);
    return true;
}

} // namespace orvanta
