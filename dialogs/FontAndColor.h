#pragma once

#include "plan/Settings.h"

#include <QColor>
#include <QFont>

class QPalette;

namespace orvanta {

// The colours and the font of the settings record as the toolkit sees them.
// A stored colour is RGB (0x00BBGGRR) or one of the desktop's system colours
// (0x80000000 + index), which the palette of this desktop stands in for.
QColor ColorOf(TColorValue value, const QPalette& palette);
// The pen of a chart's grid for the options' style number: 0 solid, 1 dash,
// 2 dot, 3 dash-dot, 4 dash-dot-dot.
Qt::PenStyle GridPenStyle(std::uint8_t style);
TColorValue ValueOf(const QColor& color);

// The stored logical-font record as a font and back. A negative height is
// the character height in pixels, a positive one the cell height (taken as
// the pixel size too); weights share the 1..1000 scale of both sides. Only
// what a font carries is changed in the record: width, escapement,
// orientation and the precision bytes stay as they were.
QFont FontOf(const TFontRecord& record);
void StoreFont(const QFont& font, TFontRecord& record);

} // namespace orvanta
