#include "mteditor/EditorIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cstring>

namespace orvanta {

namespace {

const QColor Ink(40, 60, 110);
const QColor Mark(30, 120, 200);
const QColor Zero(200, 60, 40);

// A 3 x 3 table with the given cells marked: bit (3 * row + column).
void DrawTable(QPainter& p, unsigned marked, const QColor& color) {
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const QRectF cell(2 + 4 * c, 3 + 4 * r, 4, 4);
            p.setPen(QPen(Ink, 0.8));
            p.setBrush(marked & (1u << (3 * r + c)) ? color : QColor(Qt::white));
            p.drawRect(cell);
        }
}

void DrawUndo(QPainter& p) {
    QPainterPath arc;
    arc.moveTo(4, 8);
    arc.cubicTo(6, 3, 14, 3, 13, 10);
    p.setPen(QPen(Ink, 1.8));
    p.drawPath(arc);
    p.setBrush(Ink);
    p.drawPolygon(QPolygonF({QPointF(1, 7), QPointF(7, 6), QPointF(4, 11)}));
}

void DrawCut(QPainter& p) {
    p.setPen(QPen(Ink, 1.5));
    p.drawLine(4, 2, 11, 11);
    p.drawLine(12, 2, 5, 11);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4, 13), 2, 2);
    p.drawEllipse(QPointF(12, 13), 2, 2);
}

void DrawCopy(QPainter& p) {
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2, 2, 8, 9));
    p.drawRect(QRectF(6, 5, 8, 9));
}

void DrawPaste(QPainter& p) {
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(QColor(220, 180, 110));
    p.drawRect(QRectF(2, 3, 10, 12));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 6, 7, 8));
    p.setBrush(Ink);
    p.drawRect(QRectF(5, 1.5, 4, 2.5));
}

void DrawName(QPainter& p) {
    QFont font = p.font();
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Ink);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("A"));
}

struct TPicture {
    const char* Name;
    void (*Draw)(QPainter&);
    unsigned Marked;
    bool Zeros;
};

const TPicture Pictures[] = {
    {"UndoButton", DrawUndo, 0, false},          {"SelectAllButton", nullptr, 0x1FF, false},
    {"DeselectButton", nullptr, 0x001, false},   {"CutButton", DrawCut, 0, false},
    {"CopyButton", DrawCopy, 0, false},          {"PasteButton", DrawPaste, 0, false},
    {"FillAllButton", nullptr, 0x1FF, false},    {"FillRowButton", nullptr, 0x038, false},
    {"FillColumnButton", nullptr, 0x092, false}, {"FillSelectionButton", nullptr, 0x01B, false},
    {"ClearAllButton", nullptr, 0x1FF, true},    {"ClearRowButton", nullptr, 0x038, true},
    {"ClearColumnButton", nullptr, 0x092, true}, {"ClearSelectionButton", nullptr, 0x01B, true},
    {"NameButton", DrawName, 0, false},
};

} // namespace

QIcon EditorIcon(const char* buttonName) {
    for (const TPicture& picture : Pictures) {
        if (std::strcmp(picture.Name, buttonName) != 0)
            continue;
        QIcon icon;
        for (int size : {16, 32}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(size / 16.0, size / 16.0);
            if (picture.Draw)
                picture.Draw(p);
            else
                DrawTable(p, picture.Marked, picture.Zeros ? Zero : Mark);
            p.end();
            icon.addPixmap(pixmap);
        }
        return icon;
    }
    return {};
}

} // namespace orvanta
