#include "shell/MainIcons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <cstring>

namespace orvanta {

namespace {

const QColor Ink(40, 60, 110);
const QColor Accent(220, 110, 30);
const QColor Paper(250, 250, 245);

void DrawPage(QPainter& p) {
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(Paper);
    QPainterPath page;
    page.moveTo(7, 3);
    page.lineTo(20, 3);
    page.lineTo(26, 9);
    page.lineTo(26, 29);
    page.lineTo(7, 29);
    page.closeSubpath();
    p.drawPath(page);
}

void DrawGrid(QPainter& p) {
    p.setPen(QPen(Ink, 1));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            p.drawRect(10 + 5 * j, 11 + 5 * i, 4, 4);
}

void DrawAxes(QPainter& p) {
    p.setPen(QPen(Ink, 1.5));
    p.drawLine(5, 27, 29, 27);
    p.drawLine(5, 27, 5, 3);
}

void DrawNew(QPainter& p) {
    DrawPage(p);
    DrawGrid(p);
    p.setPen(QPen(Accent, 3));
    p.drawLine(22, 22, 30, 22);
    p.drawLine(26, 18, 26, 26);
}

void DrawOpen(QPainter& p) {
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(3, 9, 24, 18);
    p.setBrush(QColor(250, 220, 120));
    QPolygonF flap({QPointF(6, 14), QPointF(30, 14), QPointF(27, 27), QPointF(3, 27)});
    p.drawPolygon(flap);
}

void DrawImport(QPainter& p) {
    DrawPage(p);
    p.setPen(QPen(Accent, 3));
    p.drawLine(2, 16, 15, 16);
    p.drawLine(10, 11, 15, 16);
    p.drawLine(10, 21, 15, 16);
}

void DrawAnalysis(QPainter& p) {
    DrawAxes(p);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    const QPointF points[] = {{9, 22}, {13, 18}, {16, 19}, {20, 13}, {24, 10}, {27, 7}};
    for (const QPointF& pt : points)
        p.drawEllipse(pt, 1.8, 1.8);
    p.setPen(QPen(Accent, 2));
    p.drawLine(7, 23, 29, 6);
}

void DrawReport(QPainter& p) {
    DrawPage(p);
    p.setPen(QPen(Ink, 1.2));
    for (int y = 12; y <= 25; y += 3)
        p.drawLine(10, y, y % 2 ? 23 : 20, y);
}

void DrawExtremum(QPainter& p) {
    DrawAxes(p);
    QPainterPath curve;
    curve.moveTo(6, 25);
    curve.cubicTo(12, 0, 20, 0, 29, 24);
    p.setPen(QPen(Ink, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    p.drawEllipse(QPointF(17, 7.5), 3, 3);
}

void DrawDiagram(QPainter& p) {
    DrawAxes(p);
    QPainterPath curve;
    curve.moveTo(6, 22);
    curve.cubicTo(12, 5, 18, 28, 29, 6);
    p.setPen(QPen(Accent, 2));
    p.drawPath(curve);
}

void DrawSurface(QPainter& p) {
    p.setPen(QPen(Ink, 1));
    for (int i = 0; i <= 4; ++i) {
        QPainterPath row;
        for (int j = 0; j <= 8; ++j) {
            const double x = 4 + j * 2.6 + i * 1.5;
            const double y = 24 - i * 4 - 5 * std::sin(j * 0.45) * (1 - i * 0.15);
            j == 0 ? row.moveTo(x, y) : row.lineTo(x, y);
        }
        p.setPen(QPen(i % 2 ? Ink : Accent, 1.4));
        p.drawPath(row);
    }
}

// A table of figures with one row singled out, as the statistics window
// highlights the observations worth a look.
void DrawStatistics(QPainter& p) {
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(Paper);
    p.drawRect(4, 5, 24, 22);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 140));
    p.drawRect(5, 17, 23, 5);
    p.setPen(QPen(Ink, 1));
    for (int y = 11; y <= 22; y += 5)
        p.drawLine(4, y, 28, y);
    p.drawLine(12, 5, 12, 27);
    p.setPen(QPen(Accent, 2));
    p.drawLine(16, 8, 25, 8);
    p.drawLine(16, 14, 22, 14);
    p.drawLine(16, 19, 26, 19);
    p.drawLine(16, 24, 20, 24);
}

// Nested level lines around a maximum, a design point on them.
void DrawContour(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    const QColor bands[3] = {QColor(59, 81, 139), QColor(33, 144, 141), QColor(170, 220, 50)};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(bands[i], 2));
        p.drawEllipse(QPointF(16, 16), 13 - 4 * i, 10 - 3 * i);
    }
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(Paper);
    p.drawEllipse(QPointF(8, 22), 2.2, 2.2);
}

// Residuals scattered about the zero line, one of them marked.
void DrawResiduals(QPainter& p) {
    DrawAxes(p);
    p.setPen(QPen(Ink, 1, Qt::DashLine));
    p.drawLine(5, 15, 29, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    const QPointF points[] = {{9, 13}, {12, 18}, {15, 14}, {19, 17}, {25, 13}};
    for (const QPointF& pt : points)
        p.drawEllipse(pt, 1.8, 1.8);
    p.setBrush(Accent);
    p.drawEllipse(QPointF(22, 6), 2.4, 2.4);
}

// Bars falling off left to right with the critical line across.
void DrawEffects(QPainter& p) {
    DrawAxes(p);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    const int heights[] = {20, 15, 9, 5};
    for (int i = 0; i < 4; ++i)
        p.drawRect(8 + 5 * i, 27 - heights[i], 4, heights[i]);
    p.setPen(QPen(Accent, 2, Qt::DashLine));
    p.drawLine(6, 17, 29, 17);
}

// Two lines that cross: the effect of one factor depends on the other.
void DrawInteraction(QPainter& p) {
    DrawAxes(p);
    p.setPen(QPen(Ink, 2));
    p.drawLine(7, 22, 28, 8);
    p.setPen(QPen(Accent, 2));
    p.drawLine(7, 10, 28, 20);
}

// Curves through a common centre, one per factor.
void DrawTrace(QPainter& p) {
    DrawAxes(p);
    p.setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
    p.drawLine(17, 4, 17, 27);
    QPainterPath a;
    a.moveTo(6, 22);
    a.quadTo(17, 2, 29, 20);
    p.setPen(QPen(Ink, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(a);
    p.setPen(QPen(Accent, 2));
    p.drawLine(6, 17, 29, 7);
}

} // namespace

QIcon CommandIcon(const char* buttonName) {
    static const std::pair<const char*, void (*)(QPainter&)> pictures[] = {
        {"NewButton", DrawNew},
        {"OpenButton", DrawOpen},
        {"ImportAllButton", DrawImport},
        {"AnalisysButton", DrawAnalysis},
        {"ReportButton", DrawReport},
        {"ExtremumButton", DrawExtremum},
        {"DiagramButton", DrawDiagram},
        {"SurfaceButton", DrawSurface},
        {"StatisticsButton", DrawStatistics},
        {"ContourButton", DrawContour},
        {"ResidualsButton", DrawResiduals},
        {"EffectsButton", DrawEffects},
        {"InteractionButton", DrawInteraction},
        {"TraceButton", DrawTrace},
    };
    for (const auto& [name, draw] : pictures) {
        if (std::strcmp(name, buttonName) != 0)
            continue;
        QIcon icon;
        for (int size : {32, 64}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(size / 32.0, size / 32.0);
            draw(painter);
            painter.end();
            icon.addPixmap(pixmap);
        }
        return icon;
    }
    return {};
}

QPixmap ProgramPicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    QLinearGradient sky(0, 0, 0, 32);
    sky.setColorAt(0, QColor(70, 110, 190));
    sky.setColorAt(1, QColor(30, 50, 100));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 5, 5);
    DrawSurface(p);
    p.setBrush(QColor(255, 230, 120));
    for (const QPointF& pt : {QPointF(8, 9), QPointF(24, 9), QPointF(16, 5), QPointF(16, 13)})
        p.drawEllipse(pt, 1.6, 1.6);
    return pixmap;
}

} // namespace orvanta
