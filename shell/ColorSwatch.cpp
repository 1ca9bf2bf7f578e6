#include "shell/ColorSwatch.h"

#include "dialogs/FontAndColor.h"

#include <QColorDialog>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace orvanta {

namespace {

constexpr int PatchWidth = 36;
constexpr int Gap = 6;

std::optional<QColor> RunColorDialog(const QColor& initial, QWidget* parent) {
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

} // namespace

TColorSwatch::TColorSwatch(const QString& caption, QWidget* parent)
    : QAbstractButton(parent), ColorDialog(RunColorDialog) {
    setText(caption);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QAbstractButton::clicked, this, &TColorSwatch::ChooseColor);
}

void TColorSwatch::SetColorValue(TColorValue value) {
    Value = value;
    update();
}

QColor TColorSwatch::Color() const {
    return ColorOf(Value, palette());
}

void TColorSwatch::ChooseColor() {
    if (!ColorDialog)
        return;
    const std::optional<QColor> color = ColorDialog(Color(), this);
    if (color && color->isValid())
        SetColorValue(ValueOf(*color));
}

QSize TColorSwatch::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int height = metrics.height() + 6;
    return {PatchWidth + Gap + metrics.horizontalAdvance(text()) + 4, height};
}

void TColorSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect patch(1, 1, PatchWidth, height() - 2);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.setBrush(Color());
    painter.drawRect(patch.adjusted(0, 0, -1, -1));
    const QRect caption(patch.right() + Gap, 0, width() - patch.right() - Gap, height());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, Qt::AlignVCenter | Qt::AlignLeft, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = caption.adjusted(-2, 1, 0, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace orvanta
