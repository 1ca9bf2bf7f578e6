// The surface window on a real OpenGL driver (under a virtual X server):
// what it draws, the pictures it writes, what it logs, its size menu, its
// running and stopped states, and its picture when OpenGL fails it.
#include "surface3d/OpenGLWindow.h"

#include "plan/Settings.h"
#include "services/GraphHolder.h"
#include "surface3d/GLStateForm.h"

#include "ScriptedHost.h"
#include "TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <cstring>
#include <memory>

using namespace orvanta;
using namespace orvanta::test;

namespace {

// A tilted plane over a 10 x 10 grid: y = x1 + x2 / 2.
void FillPlane(TGraphHolder& holder) {
    holder.BeginSurface(10, 10);
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j)
            holder.AddPoint3D(-1.0 + i * 2.0 / 9, -1.0 + j * 2.0 / 9, -1.0 + i * 0.2 + j * 0.1);
    holder.Enable3D();
}

// The look that tells the surface from everything else: one pure blue,
// no grid lines, no frame, a black background.
TSettings BlueSurface() {
    TSettings look;
    look.LBSurfScheme = 0;
    look.SSurfColor1 = Rgb(0, 0, 255);
    look.CBDrawLines = false;
    look.CBDrawBBox = false;
    look.SBackColor = 0;
    return look;
}

int CountPixels(const QImage& image, const std::function<bool(QRgb)>& test) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

bool IsSurfaceBlue(QRgb p) {
    return qRed(p) < 16 && qGreen(p) < 16 && qBlue(p) > 200;
}

std::int32_t LittleInt32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(value);
}

// The part of the log written since `from`.
QStringList LogSince(qsizetype from) {
    return GLStateForm().Lines().mid(from);
}

} // namespace

class OpenGLWindowTest : public QObject {
    Q_OBJECT

    TScriptedHost Host;
    std::unique_ptr<TGraphHolder> Holder;
    std::unique_ptr<TOpenGLWindow> Window;

    void ShowWindow(TOpenGLWindow& window) {
        window.show();
        window.activateWindow();
        window.setFocus();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

private slots:
    void init();
    void cleanup();
    void drawsTheSurface();
    void bitmapOfTheChosenSizeIsA24BitBmp_data();
    void bitmapOfTheChosenSizeIsA24BitBmp();
    void bitmapMatchesTheWindow();
    void captureWritesTheClientArea();
    void backgroundSurvivesTheReadBack();
    void logHoldsCreationAndRelease();
    void logDescribesPixelFormats();
    void releasingANeverMadeContextLogsHeaderAndFooter();
    void errorPictureWithoutOpenGL();
    void sizeMenu();
    void runsOnlyWithTheFocus();
    void insertResetsTheCamera();
    void stateWindowOpensModallyAndEscCloses();
};

void OpenGLWindowTest::init() {
    Settings().SetDefaults();
    Holder = std::make_unique<TGraphHolder>(Host);
    FillPlane(*Holder);
    Window = std::make_unique<TOpenGLWindow>();
}

void OpenGLWindowTest::cleanup() {
    Window.reset();
    Holder.reset();
    Settings().SetDefaults();
}

void OpenGLWindowTest::drawsTheSurface() {
    Window->ApplyOptions(BlueSurface());
    ShowWindow(*Window);
    // A context to draw with; running or stopped depends on the focus.
    QTRY_VERIFY(Window->RenderState() != 0);
    const QImage empty = Window->CaptureWindow();
    QCOMPARE(empty.format(), QImage::Format_RGB888);
    QCOMPARE(empty.size(), QSize(480, 360));
    // The room alone: its walls, nothing of the surface's blue.
    QVERIFY(CountPixels(empty, [](QRgb p) { return qGray(p) > 20; }) > 500);
    QCOMPARE(CountPixels(empty, IsSurfaceBlue), 0);

    Window->SetSurface(*Holder);
    const QImage drawn = Window->CaptureWindow();
    QVERIFY(CountPixels(drawn, IsSurfaceBlue) > 2000);
}

void OpenGLWindowTest::bitmapOfTheChosenSizeIsA24BitBmp_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("640 x 480") << 640 << 480;
    // A row of 321 pixels is padded to 964 bytes in the file.
    QTest::newRow("odd width") << 321 << 400;
}

void OpenGLWindowTest::bitmapOfTheChosenSizeIsA24BitBmp() {
    QFETCH(int, width);
    QFETCH(int, height);
    TTempFolder folder;
    const std::string path = folder.File("surface.bmp");
    Window->ApplyOptions(BlueSurface());
    Window->SetSurface(*Holder);
    ShowWindow(*Window);
    Window->AskBitmapSize = [&] { return std::optional<QSize>(QSize(width, height)); };
    Window->AskBitmapFile = [&] { return std::optional<std::string>(path); };
    const qsizetype logged = GLStateForm().Lines().size();
    Window->BitDrawItem->trigger();

    const std::string bytes = ReadAll(path);
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    QCOMPARE(bytes.size(), std::size_t(54 + rowBytes * height));
    QCOMPARE(bytes.substr(0, 2), std::string("BM"));
    QCOMPARE(LittleInt32(bytes, 2), std::int32_t(bytes.size()));
    QCOMPARE(LittleInt32(bytes, 18), width);
    QCOMPARE(LittleInt32(bytes, 22), height);
    QCOMPARE(static_cast<int>(static_cast<unsigned char>(bytes[28])), 24);
    const QImage picture(QString::fromStdString(path));
    QCOMPARE(picture.size(), QSize(width, height));
    QVERIFY(CountPixels(picture, IsSurfaceBlue) > 1000);

    const QStringList log = LogSince(logged);
    QVERIFY(log.front().startsWith(QStringLiteral("===============   DrawToBitmap(): ")));
    QVERIFY(log.filter(QStringLiteral("Сцена нарисована за ")).size() == 1);
    QVERIFY(log.filter(QStringLiteral(" миллисекунд драйвером:")).size() == 1);
    QCOMPARE(log.back(),
             QStringLiteral("=============   Вызов DrawToBitmap() завершен  ============="));
    // The window draws on as before.
    // A context to draw with; running or stopped depends on the focus.
    QTRY_VERIFY(Window->RenderState() != 0);
    QCOMPARE(Window->CaptureWindow().size(), QSize(480, 360));
}

void OpenGLWindowTest::bitmapMatchesTheWindow() {
    // The same scene through the same driver: off the screen at the
    // window's size it is the window's picture.
    Window->ApplyOptions(BlueSurface());
    Window->SetSurface(*Holder);
    ShowWindow(*Window);
    Window->Pause();
    const QImage shown = Window->CaptureWindow();
    QImage drawn;
    QVERIFY(Window->DrawToBitmap(shown.width(), shown.height(), drawn));
    QCOMPARE(drawn.size(), shown.size());
    QCOMPARE(drawn.format(), QImage::Format_RGB888);
    int different = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (drawn.pixel(x, y) != shown.pixel(x, y))
                ++different;
    QVERIFY2(different < shown.width() * shown.height() / 100,
             qPrintable(QString::number(different)));
}

void OpenGLWindowTest::captureWritesTheClientArea() {
    TTempFolder folder;
    const std::string path = folder.File("window.bmp");
    Window->SetSurface(*Holder);
    ShowWindow(*Window);
    // The window's shortcut answers once the window is the active one, which
    // a loaded X server may take a moment to make it.
    QVERIFY(QTest::qWaitForWindowActive(Window.get()));
    Window->AskBitmapFile = [&] { return std::optional<std::string>(path); };
    QTest::keyClick(Window.get(), Qt::Key_X, Qt::ControlModifier);
    const QImage picture(QString::fromStdString(path));
    QCOMPARE(picture.size(), QSize(480, 360));
    const std::string bytes = ReadAll(path);
    QCOMPARE(static_cast<int>(static_cast<unsigned char>(bytes[28])), 24);
    // Cancelling the dialog writes nothing.
    std::remove(path.c_str());
    Window->AskBitmapFile = [] { return std::optional<std::string>(); };
    Window->CaptureItem->trigger();
    QVERIFY(ReadAll(path).empty());
}

void OpenGLWindowTest::backgroundSurvivesTheReadBack() {
    // The background is cleared with alpha 0.5; its colour bytes must come
    // back as they are, not divided by that alpha. Each byte is divided by
    // 256 on the way in and the driver rounds x * 255 on the way out:
    // 100 -> 99.6 -> 100, 50 -> 49.8 -> 50, 200 -> 199.2 -> 199.
    TSettings look;
    look.SBackColor = Rgb(100, 50, 200);
    Window->ApplyOptions(look);
    ShowWindow(*Window);
    const QImage shown = Window->CaptureWindow();
    QImage drawn;
    QVERIFY(Window->DrawToBitmap(320, 240, drawn));
    for (const QImage& picture : {shown, drawn}) {
        const QRgb corner = picture.pixel(1, picture.height() - 2);
        QCOMPARE(qRed(corner), 100);
        QCOMPARE(qGreen(corner), 50);
        QCOMPARE(qBlue(corner), 199);
    }
}

void OpenGLWindowTest::logHoldsCreationAndRelease() {
    const qsizetype before = GLStateForm().Lines().size();
    ShowWindow(*Window);
    // A context to draw with; running or stopped depends on the focus.
    QTRY_VERIFY(Window->RenderState() != 0);
    const QStringList created = LogSince(before);
    QVERIFY(created.front().startsWith(QStringLiteral("===============   GLCreate(): ")));
    QVERIFY(created.at(1).startsWith(QStringLiteral("Создание контекста по дескриптору ")));
    // Mesa's llvmpipe draws with the processor.
    QVERIFY(created.contains(QStringLiteral("Графический акселератор не задействован.")));
    const qsizetype driver = created.indexOf(QStringLiteral("Инициализация завершена. Драйвер:"));
    QVERIFY(driver > 0);
    QVERIFY(created.at(driver + 1).startsWith(QStringLiteral("GL_VERSION: ")));
    QVERIFY(created.at(driver + 2).startsWith(QStringLiteral("GL_VENDOR: ")));
    QVERIFY(created.at(driver + 3).startsWith(QStringLiteral("GL_RENDERER: ")));
    QVERIFY(created.at(driver + 4).startsWith(QStringLiteral("GL_EXTENSIONS: ")));
    QCOMPARE(created.back(),
             QStringLiteral("=============   Вызов GLCreate() завершен  ============="));
    QVERIFY(!created.contains(QStringLiteral("Требуемый формат пиксела:")));

    const qsizetype shown = GLStateForm().Lines().size();
    Window.reset();
    const QStringList released = LogSince(shown);
    QCOMPARE(released.size(), 3);
    QVERIFY(released.at(0).startsWith(QStringLiteral("===============   GLDestroy(): ")));
    QVERIFY(QRegularExpression(QStringLiteral("^Контекст \\d+ \\(OpenGL\\) удален\\.$"))
                .match(released.at(1))
                .hasMatch());
    QCOMPARE(released.at(2),
             QStringLiteral("===============  Вызов GLDestroy() завершен ==============="));
    // The state window was up while the context was made and released, and
    // is closed again.
    QVERIFY(!GLStateForm().isVisible());
}

void OpenGLWindowTest::logDescribesPixelFormats() {
    TSettings look;
    look.CBDescribePFDs = true;
    Window->ApplyOptions(look);
    const qsizetype before = GLStateForm().Lines().size();
    ShowWindow(*Window);
    const QStringList log = LogSince(before);
    const qsizetype requested = log.indexOf(QStringLiteral("Требуемый формат пиксела:"));
    QVERIFY(requested > 0);
    QCOMPARE(log.at(requested + 1), QStringLiteral("  PFD.dwFlags: & PFD_DRAW_TO_WINDOW & "
                                                   "PFD_SUPPORT_OPENGL & PFD_GENERIC_ACCELERATED "
                                                   "& PFD_DOUBLEBUFFER "));
    QCOMPARE(log.at(requested + 2), QStringLiteral("  PFD.iPixelType: PFD_TYPE_RGBA"));
    QVERIFY(log.mid(requested, 10).contains(QStringLiteral("  PFD.cAlphaBits: 1")));
    QVERIFY(log.mid(requested, 10).contains(QStringLiteral("  PFD.cDepthBits: 16")));
    const qsizetype nearest = log.indexOf(QStringLiteral("Ближайший формат пиксела:"));
    QVERIFY(nearest > requested);
    QVERIFY(log.at(nearest + 1).contains(QStringLiteral("& PFD_GENERIC_FORMAT ")));
    QVERIFY(log.contains(QStringLiteral("Девайс поддержиывает DST_ALPHA.")));
}

void OpenGLWindowTest::releasingANeverMadeContextLogsHeaderAndFooter() {
    const qsizetype before = GLStateForm().Lines().size();
    Window.reset();
    const QStringList log = LogSince(before);
    QCOMPARE(log.size(), 2);
    QVERIFY(log.at(0).startsWith(QStringLiteral("===============   GLDestroy(): ")));
    QCOMPARE(log.at(1),
             QStringLiteral("===============  Вызов GLDestroy() завершен ==============="));
}

void OpenGLWindowTest::errorPictureWithoutOpenGL() {
    Window->FixedFunctions = [](QOpenGLContext*) -> QOpenGLFunctions_1_1* { return nullptr; };
    Window->SetSurface(*Holder);
    const qsizetype before = GLStateForm().Lines().size();
    ShowWindow(*Window);
    QCOMPARE(Window->RenderState(), 0);
    QVERIFY(LogSince(before).contains(
        QStringLiteral("Ошибка wglCreateContext(): контекст не дает функций OpenGL 1.1.")));
    QVERIFY(!LogSince(before).contains(QStringLiteral("Инициализация завершена. Драйвер:")));
    const QImage picture = Window->CaptureWindow();
    const int w = picture.width();
    const int h = picture.height();
    // White diagonals on black, the text in the top left corner.
    const auto white = [](QRgb p) { return qGray(p) > 200; };
    QVERIFY(white(picture.pixel(w / 2, h / 2)) || white(picture.pixel(w / 2 - 1, h / 2)));
    QVERIFY(white(picture.pixel(w - 2, h - 2)));
    QVERIFY(white(picture.pixel(w - 2, 1)) || white(picture.pixel(w - 3, 1)));
    QCOMPARE(qGray(picture.pixel(w / 2, h / 4 - 20)), 0);
    QVERIFY(CountPixels(picture.copy(0, 0, 200, 25), white) > 100);
    // Rendering never starts and nothing is drawn off the screen.
    Window->Resume();
    QCOMPARE(Window->RenderState(), 0);
    QImage none;
    QVERIFY(!Window->DrawToBitmap(320, 240, none));
}

void OpenGLWindowTest::sizeMenu() {
    QMdiArea area;
    area.resize(1200, 900);
    auto* raw = Window.release();
    QMdiSubWindow* sub = area.addSubWindow(raw);
    area.show();
    sub->show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QCOMPARE(raw->EditMenu->objectName(), QStringLiteral("EditMenu"));
    QCOMPARE(raw->EditMenu->title(), QStringLiteral("Правка"));
    const char* const texts[] = {"320 Х 240",   "400 Х 300",  "480 Х 360", "512 Х 384",
                                 "640 Х 480",   "800 Х 600",  "960 Х 720", "1024 Х 768",
                                 "1280 Х 1024", "1600 Х 1200"};
    for (std::size_t i = 0; i < raw->SizeItems.size(); ++i)
        QCOMPARE(raw->SizeItems[i]->text(), QString::fromUtf8(texts[i]));
    QVERIFY(raw->SizeItems[2]->isChecked());
    QCOMPARE(raw->SizeItems[4]->objectName(), QStringLiteral("Item640X480"));
    // From 800 Х 600 up an item is offered only when the screen is at
    // least as wide; the tests run on screens of more than one width.
    const int screenWidth = raw->screen()->geometry().width();
    for (QAction* item : raw->SizeItems) {
        const int width = item->text().section(QStringLiteral(" Х "), 0, 0).toInt();
        QCOMPARE(item->isEnabled(), width < 800 || width <= screenWidth);
    }

    raw->SizeItems[4]->trigger();
    QTRY_COMPARE(raw->size(), QSize(640, 480));
    QVERIFY(raw->SizeItems[4]->isChecked());
    QVERIFY(!raw->SizeItems[2]->isChecked());
    QCOMPARE(raw->CaptureWindow().size(), QSize(640, 480));

    QCOMPARE(raw->CaptureItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
    QCOMPARE(raw->BitDrawItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    sub->showMaximized();
    emit raw->EditMenu->aboutToShow();
    QVERIFY(!raw->WindowSizeMenu->isEnabled());
    sub->showNormal();
    emit raw->EditMenu->aboutToShow();
    QVERIFY(raw->WindowSizeMenu->isEnabled());
}

void OpenGLWindowTest::runsOnlyWithTheFocus() {
    TSettings look;
    look.CBShowFPS = true;
    Window->ApplyOptions(look);
    QLineEdit other;
    other.show();
    ShowWindow(*Window);
    QTRY_VERIFY(Window->hasFocus());
    QTRY_COMPARE(Window->RenderState(), 1);
    const QImage running = Window->CaptureWindow();

    other.activateWindow();
    other.setFocus();
    QTRY_COMPARE(Window->RenderState(), 2);
    // "Обновление остановлено" at the top of the picture.
    const QImage stopped = Window->CaptureWindow();
    const QRect banner((480 - 176) / 2, 5, 176, 16);
    QVERIFY(CountPixels(running.copy(banner), [](QRgb p) { return qGray(p) > 200; }) == 0);
    QVERIFY(CountPixels(stopped.copy(banner), [](QRgb p) { return qGray(p) > 200; }) > 50);

    Window->activateWindow();
    Window->setFocus();
    QTRY_COMPARE(Window->RenderState(), 1);
}

void OpenGLWindowTest::insertResetsTheCamera() {
    ShowWindow(*Window);
    TController& camera = Window->Scene()->Controller;
    camera.Position = {1.0f, 2.0f, 3.0f};
    QTest::keyClick(Window.get(), Qt::Key_Insert);
    QCOMPARE(camera.Position, (TVec3{0.0f, -2.0f, -6.0f}));
    camera.Position = {1.0f, 2.0f, 3.0f};
    Window->ResetPosItem->trigger();
    QCOMPARE(camera.Position, (TVec3{0.0f, -2.0f, -6.0f}));
}

void OpenGLWindowTest::stateWindowOpensModallyAndEscCloses() {
    ShowWindow(*Window);
    TGLStateForm& form = GLStateForm();
    QCOMPARE(form.windowTitle(), QStringLiteral("Окно состояния OpenGL"));
    QCOMPARE(form.size(), QSize(600, 300));
    QVERIFY(form.Log->isReadOnly());
    bool wasModal = false;
    QTimer::singleShot(0, &form, [&] {
        wasModal = QApplication::activeModalWidget() == &form;
        QTest::keyClick(&form, Qt::Key_Escape);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, &form, &QDialog::reject);
    watchdog.start(5000);
    Window->LogItem->trigger();
    QVERIFY(wasModal);
    QVERIFY(!form.isVisible());
}

QTEST_MAIN(OpenGLWindowTest)
#include "OpenGLWindowTest.moc"
