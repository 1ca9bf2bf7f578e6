#pragma once

// Dialog units to pixels. A horizontal unit is a quarter of the font's
// average character width, a vertical unit an eighth of its height; the
// average width is measured over the 52 Latin letters, as the dialog
// manager of the original platform measures it.

class TDialogUnits {
public:
    TDialogUnits(int baseX, int baseY) : BaseX(baseX), BaseY(baseY) {}

    // The units of the font a widget uses; widget is a QWidget* as void*.
    static TDialogUnits OfWidget(const void* widget);

    int X(int units) const { return Scale(units, BaseX, 4); }
    int Y(int units) const { return Scale(units, BaseY, 8); }
    int BaseWidth() const { return BaseX; }
    int BaseHeight() const { return BaseY; }

private:
    // units * base / divisor rounded half away from zero.
    static int Scale(int units, int base, int divisor);

    int BaseX;
    int BaseY;
};
