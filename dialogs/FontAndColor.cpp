#include "dialogs/FontAndColor.h"

#include <QPalette>

#include <algorithm>
#include <cstdlib>

namespace orvanta {

namespace {

// The system colours of the old desktop by index, as palette roles.
QPalette::ColorRole RoleOfSystemColor(std::uint32_t index) {
    switch (index) {
    case 2:  // active caption
    case 13: // highlight
    case 27: // active caption gradient
    case 29: // menu highlight
        return QPalette::Highlight;
    case 3:  // inactive caption
    case 28: // inactive caption gradient
        return QPalette::Mid;
    case 5: // window
        return QPalette::Base;
    case 6:  // window frame
    case 21: // 3D dark shadow
        return QPalette::Shadow;
    case 7:  // menu text
    case 19: // inactive caption text
        return QPalette::WindowText;
    case 8: // window text
        return QPalette::Text;
    case 9:  // caption text
    case 14: // highlight text
        return QPalette::HighlightedText;
    case 0:  // scroll bar
    case 10: // active border
    case 11: // inactive border
    case 15: // button face
        return QPalette::Button;
    case 12: // application workspace
    case 16: // button shadow
        return QPalette::Dark;
    case 17: // grey text
        return QPalette::PlaceholderText;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 22: // 3D light
        return QPalette::Midlight;
    case 23: // tooltip text
        return QPalette::ToolTipText;
    case 24: // tooltip background
        return QPalette::ToolTipBase;
    case 26: // hot-tracked item
        return QPalette::Link;
    default: // desktop, menu, menu bar and anything unknown
        return QPalette::Window;
    }
}

} // namespace

QColor ColorOf(TColorValue value, const QPalette& palette) {
    if (value & 0x80000000u)
        return palette.color(QPalette::Active, RoleOfSystemColor(value & 0xFFu));
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

TColorValue ValueOf(const QColor& color) {
    return Rgb(static_cast<std::uint32_t>(color.red()), static_cast<std::uint32_t>(color.green()),
               static_cast<std::uint32_t>(color.blue()));
}

QFont FontOf(const TFontRecord& record) {
    QFont font(QString::fromStdString(record.FaceName));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(record.Height == 0 ? 13 : std::abs(record.Height));
    // Weight 0 is "any weight".
    font.setWeight(record.Weight <= 0 ? QFont::Normal
                                      : static_cast<QFont::Weight>(std::min(record.Weight, 1000)));
    font.setItalic(record.Italic != 0);
    font.setUnderline(record.Underline != 0);
    font.setStrikeOut(record.StrikeOut != 0);
    return font;
}

void StoreFont(const QFont& font, TFontRecord& record) {
    // Up to 31 bytes in the stored code page; a cut never splits a letter
    // because every Cyrillic letter is one byte there.
    record.FaceName = font.family().left(31).toStdString();
    const int pixels = font.pixelSize() > 0 ? font.pixelSize()
                                            : static_cast<int>(font.pointSizeF() * 96 / 72 + 0.5);
    record.Height = -pixels;
    record.Weight = static_cast<std::int32_t>(font.weight());
    record.Italic = font.italic() ? 1 : 0;
    record.Underline = font.underline() ? 1 : 0;
    record.StrikeOut = font.strikeOut() ? 1 : 0;
    record.CharSet = 204;
}

Qt::PenStyle GridPenStyle(std::uint8_t style) {
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

} // namespace orvanta
