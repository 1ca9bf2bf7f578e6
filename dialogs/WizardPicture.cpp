#include "dialogs/WizardPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace orvanta {

namespace {

const QColor AxisColour(255, 255, 255, 150);
const QColor RunColour(255, 214, 80);
const QColor StarColour(120, 220, 255);

// The square [-1, 1]^2 of coded units, placed in the upper part of the panel.
QRectF FactorSquare(const QRectF& area) {
    const double side = std::min(area.width(), area.height()) * 0.62;
    return {area.center().x() - side / 2.0, area.top() + area.height() * 0.30 - side / 2.0 + 20.0,
            side, side};
}

QPointF Coded(const QRectF& square, double x1, double x2) {
    return {square.center().x() + x1 * square.width() / 2.0,
            square.center().y() - x2 * square.height() / 2.0};
}

void Run(QPainter& painter, const QPointF& point, const QColor& colour, double radius = 5.0) {
    painter.setPen(QPen(colour.darker(160), 1.0));
    painter.setBrush(colour);
    painter.drawEllipse(point, radius, radius);
}

void Axes(QPainter& painter, const QRectF& square) {
    painter.setPen(QPen(AxisColour, 1.0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(Coded(square, -1.5, 0.0), Coded(square, 1.5, 0.0));
    painter.drawLine(Coded(square, 0.0, -1.5), Coded(square, 0.0, 1.5));
    painter.setPen(QPen(AxisColour, 1.5));
    painter.drawRect(square);
    painter.setPen(Qt::white);
    painter.drawText(Coded(square, 1.15, -0.25), QStringLiteral("x₁"));
    painter.drawText(Coded(square, 0.1, 1.4), QStringLiteral("x₂"));
}

void DrawFactorial(QPainter& painter, const QRectF& square) {
    Axes(painter, square);
    for (const double x1 : {-1.0, 1.0})
        for (const double x2 : {-1.0, 1.0})
            Run(painter, Coded(square, x1, x2), RunColour);
}

void DrawComposite(QPainter& painter, const QRectF& square) {
    DrawFactorial(painter, square);
    const double alpha = std::sqrt(2.0);
    for (const double arm : {-alpha, alpha}) {
        Run(painter, Coded(square, arm, 0.0), StarColour, 4.5);
        Run(painter, Coded(square, 0.0, arm), StarColour, 4.5);
    }
    Run(painter, Coded(square, 0.0, 0.0), Qt::white, 4.5);
}

void DrawSpectrum(QPainter& painter, const QRectF& square) {
    Axes(painter, square);
    static const std::array<QPointF, 7> runs{{{-0.8, -0.3},
                                              {-0.35, 0.7},
                                              {0.15, -0.85},
                                              {0.55, 0.35},
                                              {0.9, -0.2},
                                              {-0.1, 0.1},
                                              {0.3, 0.9}}};
    for (const QPointF& run : runs)
        Run(painter, Coded(square, run.x(), run.y()), RunColour, 4.5);
}

void DrawCurve(QPainter& painter, const QRectF& square) {
    painter.setPen(QPen(AxisColour, 1.5));
    painter.drawLine(Coded(square, -1.2, -1.0), Coded(square, 1.3, -1.0));
    painter.drawLine(Coded(square, -1.2, -1.0), Coded(square, -1.2, 1.3));
    painter.setPen(Qt::white);
    painter.drawText(Coded(square, 1.05, -1.25), QStringLiteral("x"));
    painter.drawText(Coded(square, -1.1, 1.2), QStringLiteral("y"));
    auto model = [](double x) { return 0.55 * x * x + 0.35 * x - 0.45; };
    QPainterPath path;
    for (int i = 0; i <= 40; ++i) {
        const double x = -1.1 + 2.2 * i / 40.0;
        const QPointF point = Coded(square, x, model(x));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    painter.setPen(QPen(StarColour, 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    static const std::array<double, 6> scatter{0.12, -0.1, 0.08, -0.14, 0.1, -0.06};
    for (std::size_t i = 0; i < scatter.size(); ++i) {
        const double x = -1.0 + 2.0 * static_cast<double>(i) / 5.0;
        Run(painter, Coded(square, x, model(x) + scatter[i]), RunColour, 4.0);
    }
}

} // namespace

TWizardPicture::TWizardPicture(TWizardArt art, QWidget* parent) : QWidget(parent), Kind(art) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

QSize TWizardPicture::sizeHint() const {
    return {150, 280};
}

QSize TWizardPicture::minimumSizeHint() const {
    return {150, 220};
}

void TWizardPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();
    QLinearGradient background(area.topLeft(), area.bottomRight());
    background.setColorAt(0.0, QColor(18, 52, 96));
    background.setColorAt(1.0, QColor(12, 110, 120));
    painter.fillRect(area, background);

    const QRectF square = FactorSquare(area);
    switch (Kind) {
    case TWizardArt::Factorial:
        DrawFactorial(painter, square);
        break;
    case TWizardArt::Composite:
        DrawComposite(painter, square);
        break;
    case TWizardArt::Spectrum:
        DrawSpectrum(painter, square);
        break;
    case TWizardArt::Curve:
        DrawCurve(painter, square);
        break;
    }
}

} // namespace orvanta
