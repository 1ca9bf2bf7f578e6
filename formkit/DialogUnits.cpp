#include "formkit/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>

TDialogUnits TDialogUnits::OfWidget(const void* widget) {
    const QFontMetrics metrics(static_cast<const QWidget*>(widget)->font());
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return TDialogUnits((letters / 26 + 1) / 2, metrics.height());
}

int TDialogUnits::Scale(int units, int base, int divisor) {
    const long long product = static_cast<long long>(units) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}
