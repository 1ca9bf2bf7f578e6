#include "surface3d/GLUnavailable.h"

#include <QGuiApplication>
#include <QPainter>

namespace orvanta {

void PaintOpenGLError(QPainter& painter, const QRect& area) {
    painter.fillRect(area, Qt::black);
    painter.setPen(Qt::white);
    painter.drawLine(area.topLeft(), area.bottomRight());
    painter.drawLine(area.bottomLeft(), area.topRight());
    painter.drawText(QRect(5, 5, area.width(), area.height()), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("(Ошибка интерфейса OpenGL)"));
}

TGLUnavailable::TGLUnavailable(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GLUnavailable"));
    resize(480, 360);
}

void TGLUnavailable::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintOpenGLError(painter, rect());
}

bool PlatformHasOpenGL() {
    return QGuiApplication::platformName() != QStringLiteral("offscreen");
}

} // namespace orvanta
