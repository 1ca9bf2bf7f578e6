#pragma once

#include <QWidget>

namespace orvanta {

// The sum that step 3 speaks of, set as a formula:
// y = b0 + b1·f1(x) + b2·f2(x) + … + bp·fp(x), with the indices lowered.
class TModelSumPicture : public QWidget {
    Q_OBJECT
public:
    explicit TModelSumPicture(QWidget* parent = nullptr);

    // The formula as plain text (for people who cannot see the picture).
    static QString FormulaText();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Draws the formula from x on the baseline y; gives its width.
    double DrawFormula(QPainter* painter, double x, double y) const;
};

} // namespace orvanta
