#pragma once

#include <QWidget>

class QPainter;

namespace orvanta {

// The picture of a surface window without OpenGL: black, a white cross
// from corner to corner, and "(Ошибка интерфейса OpenGL)" at the top left.
void PaintOpenGLError(QPainter& painter, const QRect& area);

// What the surface window shows where the platform has no OpenGL at all
// (the offscreen platform cannot even create an OpenGL widget).
class TGLUnavailable : public QWidget {
    Q_OBJECT
public:
    explicit TGLUnavailable(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Whether this platform can give the surface window an OpenGL context.
bool PlatformHasOpenGL();

} // namespace orvanta
