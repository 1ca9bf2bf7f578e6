#include "shell/Animate.h"

#include <QPainter>
#include <QTimer>

namespace orvanta {

TAnimate::TAnimate(QWidget* parent) : QWidget(parent) {
    Timer = new QTimer(this);
    Timer->setInterval(FrameIntervalMs);
    connect(Timer, &QTimer::timeout, this, &TAnimate::Step);
}

bool TAnimate::Open(const QString& path, int frameCount) {
    SetActive(false);
    Strip = QImage();
    Picture = QImage();
    Frames = 0;
    QImage strip(path);
    if (strip.isNull() || frameCount <= 0 || strip.width() != strip.height() * frameCount) {
        update();
        return false;
    }
    Strip = std::move(strip);
    Frames = frameCount;
    ShowFrame(0);
    updateGeometry();
    return true;
}

bool TAnimate::Active() const {
    return Timer->isActive();
}

void TAnimate::SetActive(bool on) {
    if (on && Frames > 0) {
        Timer->start();
        return;
    }
    Timer->stop();
    if (Frames > 0)
        ShowFrame(0);
}

void TAnimate::Step() {
    if (Frames > 0)
        ShowFrame((Current + 1) % Frames);
}

void TAnimate::ShowFrame(int frame) {
    Current = frame;
    const int side = Strip.height();
    Picture = Strip.copy(frame * side, 0, side, side);
    update();
}

QSize TAnimate::sizeHint() const {
    return Picture.isNull() ? QSize(48, 48) : Picture.size();
}

void TAnimate::paintEvent(QPaintEvent*) {
    if (Picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage((width() - Picture.width()) / 2, (height() - Picture.height()) / 2, Picture);
}

} // namespace orvanta
