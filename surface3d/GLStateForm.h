#pragma once

#include <QDialog>
#include <QStringList>

class QOpenGLFunctions_1_1;
class QPlainTextEdit;
class QSurfaceFormat;

namespace orvanta {

// "Окно состояния OpenGL": the one log of the OpenGL layer for the whole
// run. Every context created and released, every off-screen drawing and
// every failure of the driver writes its lines here; the window only shows
// them. Esc closes it.
class TGLStateForm : public QDialog {
    Q_OBJECT
public:
    explicit TGLStateForm(QWidget* parent = nullptr);

    void Add(const QString& line);
    // Every line written so far, oldest first.
    QStringList Lines() const;

    QPlainTextEdit* Log = nullptr;
};

// The state window of the run, created (with an empty log) on first use and
// freed with the application.
TGLStateForm& GLStateForm();

// While it lives, the state window is on the screen (not modally) when the
// option "Окно состояния" asks for it, so that a person watches a context
// being made or released; it closes again at the end of the scope.
// A pixel format as the log describes it: the flags that are set (their
// PFD_ names, in the log's order) and the bit counts.
struct TPixelFormatText {
    QStringList Flags;
    int ColorBits = 0;
    int RedBits = 0;
    int GreenBits = 0;
    int BlueBits = 0;
    int AlphaBits = 0;
    int DepthBits = 0;
    int StencilBits = 0;
};

// The lines of the format dump: "  PFD.dwFlags: & NAME & NAME ", the pixel
// type, then every bit count, one per line.
QStringList PixelFormatLines(const TPixelFormatText& format);

// The format of a Qt surface as the log describes it: the given flags,
// PFD_DOUBLEBUFFER and PFD_STEREO as the format has them, and its bits
// (colour bits without alpha, unknown counts as 0).
TPixelFormatText PixelFormatOf(const QSurfaceFormat& format, QStringList flags);
// Writes the title and the format dump into the log.
void LogPixelFormat(const QString& title, const TPixelFormatText& format);
// "GL_VERSION: ", "GL_VENDOR: ", "GL_RENDERER: " and "GL_EXTENSIONS: " with
// the strings of the current context's driver.
QStringList DriverLines(QOpenGLFunctions_1_1& gl);
// Whether the current context's driver draws with the processor.
bool IsSoftwareRenderer(QOpenGLFunctions_1_1& gl);

class TGLStateShowing {
public:
    explicit TGLStateShowing(bool show);
    ~TGLStateShowing();
    TGLStateShowing(const TGLStateShowing&) = delete;
    TGLStateShowing& operator=(const TGLStateShowing&) = delete;

private:
    bool Shown = false;
};

} // namespace orvanta
