#pragma once

#include "plan/Settings.h"

#include <QAbstractButton>
#include <QColor>

#include <functional>
#include <optional>

namespace orvanta {

// A stored colour value of the options: a framed patch of the colour with
// its caption beside it. Clicking it opens the colour dialog preset to the
// colour; confirming there sets the patch.
class TColorSwatch : public QAbstractButton {
    Q_OBJECT
public:
    // Asks the person for a colour, starting from `initial`; nullopt when
    // they cancel. Tests put a function of their own here.
    using TColorDialog =
        std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    explicit TColorSwatch(const QString& caption, QWidget* parent = nullptr);

    TColorValue ColorValue() const { return Value; }
    void SetColorValue(TColorValue value);
    // The colour shown.
    QColor Color() const;

    TColorDialog ColorDialog;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ChooseColor();

    TColorValue Value = 0;
};

} // namespace orvanta
