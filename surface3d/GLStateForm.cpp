#include "surface3d/GLStateForm.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QOpenGLFunctions_1_1>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSurfaceFormat>
#include <QVBoxLayout>

#include <algorithm>

namespace orvanta {

namespace {

TGLStateForm* TheForm = nullptr;

void FreeStateForm() {
    delete TheForm;
    TheForm = nullptr;
}

QString DriverString(QOpenGLFunctions_1_1& gl, GLenum name) {
    return QString::fromLatin1(reinterpret_cast<const char*>(gl.glGetString(name)));
}

} // namespace

TGLStateForm::TGLStateForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GLStateForm"));
    setWindowTitle(QStringLiteral("Окно состояния OpenGL"));
    Log = new QPlainTextEdit(this);
    Log->setObjectName(QStringLiteral("Log"));
    Log->setReadOnly(true);
    Log->setLineWrapMode(QPlainTextEdit::NoWrap);
    Log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Log);
    resize(600, 300);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TGLStateForm::Add(const QString& line) {
    Log->appendPlainText(line);
    Log->verticalScrollBar()->setValue(Log->verticalScrollBar()->maximum());
}

QStringList TGLStateForm::Lines() const {
    QStringList lines = Log->toPlainText().split(QLatin1Char('\n'));
    if (lines.size() == 1 && lines.front().isEmpty())
        lines.clear();
    return lines;
}

TGLStateForm& GLStateForm() {
    if (!TheForm) {
        TheForm = new TGLStateForm;
        // A window must not outlive the application object; the post
        // routines run while it is still there.
        qAddPostRoutine(FreeStateForm);
    }
    return *TheForm;
}

QStringList PixelFormatLines(const TPixelFormatText& format) {
    // The flags in the order the dump has always listed them.
    static const char* const Order[] = {"PFD_DRAW_TO_WINDOW",
                                        "PFD_DRAW_TO_BITMAP",
                                        "PFD_SUPPORT_GDI",
                                        "PFD_SUPPORT_OPENGL",
                                        "PFD_GENERIC_ACCELERATED",
                                        "PFD_GENERIC_FORMAT",
                                        "PFD_NEED_PALETTE",
                                        "PFD_NEED_SYSTEM_PALETTE",
                                        "PFD_DOUBLEBUFFER",
                                        "PFD_STEREO",
                                        "PFD_SWAP_LAYER_BUFFERS",
                                        "PFD_DEPTH_DONTCARE",
                                        "PFD_DOUBLEBUFFER_DONTCARE",
                                        "PFD_STEREO_DONTCARE",
                                        "PFD_SWAP_COPY",
                                        "PFD_SWAP_EXCHANGE"};
    QString flags = QStringLiteral("  PFD.dwFlags: ");
    for (const char* name : Order)
        if (format.Flags.contains(QLatin1String(name)))
            flags += QStringLiteral("& ") + QLatin1String(name) + QLatin1Char(' ');
    const auto number = [](const char* field, int value) {
        return QStringLiteral("  PFD.") + QLatin1String(field) + QStringLiteral(": ") +
               QString::number(value);
    };
    return {flags,
            QStringLiteral("  PFD.iPixelType: PFD_TYPE_RGBA"),
            number("cColorBits", format.ColorBits),
            number("cRedBits", format.RedBits),
            number("cGreenBits", format.GreenBits),
            number("cBlueBits", format.BlueBits),
            number("cAlphaBits", format.AlphaBits),
            number("cDepthBits", format.DepthBits),
            number("cStencilBits", format.StencilBits)};
}

TPixelFormatText PixelFormatOf(const QSurfaceFormat& format, QStringList flags) {
    const auto bits = [](int n) { return std::max(n, 0); };
    if (format.swapBehavior() == QSurfaceFormat::DoubleBuffer)
        flags << QStringLiteral("PFD_DOUBLEBUFFER");
    if (format.stereo())
        flags << QStringLiteral("PFD_STEREO");
    return {flags,
            bits(format.redBufferSize()) + bits(format.greenBufferSize()) +
                bits(format.blueBufferSize()),
            bits(format.redBufferSize()),
            bits(format.greenBufferSize()),
            bits(format.blueBufferSize()),
            bits(format.alphaBufferSize()),
            bits(format.depthBufferSize()),
            bits(format.stencilBufferSize())};
}

void LogPixelFormat(const QString& title, const TPixelFormatText& format) {
    GLStateForm().Add(title);
    for (const QString& line : PixelFormatLines(format))
        GLStateForm().Add(line);
}

QStringList DriverLines(QOpenGLFunctions_1_1& gl) {
    return {QStringLiteral("GL_VERSION: ") + DriverString(gl, GL_VERSION),
            QStringLiteral("GL_VENDOR: ") + DriverString(gl, GL_VENDOR),
            QStringLiteral("GL_RENDERER: ") + DriverString(gl, GL_RENDERER),
            QStringLiteral("GL_EXTENSIONS: ") + DriverString(gl, GL_EXTENSIONS)};
}

bool IsSoftwareRenderer(QOpenGLFunctions_1_1& gl) {
    // Mesa's renderers on the processor name themselves so.
    const QString renderer = DriverString(gl, GL_RENDERER);
    for (const char* name : {"llvmpipe", "softpipe", "software"})
        if (renderer.contains(QLatin1String(name), Qt::CaseInsensitive))
            return true;
    return false;
}

TGLStateShowing::TGLStateShowing(bool show) : Shown(show && !GLStateForm().isVisible()) {
    if (Shown)
        GLStateForm().show();
}

TGLStateShowing::~TGLStateShowing() {
    if (Shown)
        GLStateForm().close();
}

} // namespace orvanta
