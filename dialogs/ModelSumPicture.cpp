#include "dialogs/ModelSumPicture.h"

#include <QFontMetricsF>
#include <QPainter>

namespace orvanta {

namespace {

// One piece of the formula: its text, whether it is a lowered index and
// whether it is a variable (set in italics).
struct TPiece {
    const char16_t* Text;
    bool Index;
    bool Variable;
};

constexpr TPiece Formula[] = {
    {u"y", false, true},  {u" = ", false, false},     {u"b", false, true},
    {u"0", true, false},  {u" + ", false, false},     {u"b", false, true},
    {u"1", true, false},  {u"·", false, false},       {u"f", false, true},
    {u"1", true, false},  {u"(", false, false},       {u"x", false, true},
    {u")", false, false}, {u" + ", false, false},     {u"b", false, true},
    {u"2", true, false},  {u"·", false, false},       {u"f", false, true},
    {u"2", true, false},  {u"(", false, false},       {u"x", false, true},
    {u")", false, false}, {u" + … + ", false, false}, {u"b", false, true},
    {u"p", true, true},   {u"·", false, false},       {u"f", false, true},
    {u"p", true, true},   {u"(", false, false},       {u"x", false, true},
    {u")", false, false},
};

QFont PieceFont(const QFont& base, const TPiece& piece) {
    QFont font = base;
    font.setFamily(QStringLiteral("Serif"));
    font.setPointSizeF(base.pointSizeF() * (piece.Index ? 1.0 : 1.45));
    font.setItalic(piece.Variable);
    return font;
}

} // namespace

TModelSumPicture::TModelSumPicture(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setToolTip(FormulaText());
    setAccessibleName(FormulaText());
}

QString TModelSumPicture::FormulaText() {
    QString text;
    for (const TPiece& piece : Formula)
        text += QString::fromUtf16(piece.Text);
    return text;
}

double TModelSumPicture::DrawFormula(QPainter* painter, double x, double y) const {
    const double start = x;
    const double lowering = QFontMetricsF(PieceFont(font(), {u"", false, false})).ascent() * 0.3;
    for (const TPiece& piece : Formula) {
        const QString text = QString::fromUtf16(piece.Text);
        if (text.isEmpty())
            continue;
        const QFont pieceFont = PieceFont(font(), piece);
        const QFontMetricsF metrics(pieceFont);
        if (painter) {
            painter->setFont(pieceFont);
            painter->drawText(QPointF(x, piece.Index ? y + lowering : y), text);
        }
        x += metrics.horizontalAdvance(text);
    }
    return x - start;
}

QSize TModelSumPicture::sizeHint() const {
    const double width = DrawFormula(nullptr, 0.0, 0.0);
    const QFontMetricsF metrics(PieceFont(font(), {u"", false, false}));
    return {static_cast<int>(width) + 24, static_cast<int>(metrics.height() * 1.9) + 8};
}

QSize TModelSumPicture::minimumSizeHint() const {
    return sizeHint();
}

void TModelSumPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1.0));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRoundedRect(area, 4.0, 4.0);

    painter.setPen(palette().color(QPalette::Text));
    const double width = DrawFormula(nullptr, 0.0, 0.0);
    const QFontMetricsF metrics(PieceFont(font(), {u"", false, false}));
    const double x = (area.width() - width) / 2.0;
    const double y = area.center().y() + metrics.ascent() / 2.0 - metrics.descent() / 2.0;
    DrawFormula(&painter, x, y);
}

} // namespace orvanta
