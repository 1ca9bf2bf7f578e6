#pragma once

#include <QWidget>

namespace orvanta {

// What the picture on the left of a wizard step shows.
enum class TWizardArt {
    Factorial, // step 1: the runs of a two-factor design in the factor plane
    Composite, // step 2: a standard design, corners, star points and centre
    Spectrum,  // step 2A: runs placed freely
    Curve,     // steps 3 and 4: a fitted response through observed points
};

// The picture panel of a wizard step, drawn rather than loaded so that it
// scales with the window and needs no image files.
class TWizardPicture : public QWidget {
    Q_OBJECT
public:
    explicit TWizardPicture(TWizardArt art, QWidget* parent = nullptr);

    TWizardArt Art() const { return Kind; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TWizardArt Kind;
};

} // namespace orvanta
