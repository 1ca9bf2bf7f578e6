#pragma once

#include <QImage>
#include <QWidget>

class QTimer;

namespace orvanta {

// An animation control: plays a clip whose frames lie side by side in one
// picture, in a loop, while it is active, and shows the first frame when it
// stands still.
class TAnimate : public QWidget {
    Q_OBJECT
public:
    static constexpr int FrameIntervalMs = 66;

    explicit TAnimate(QWidget* parent = nullptr);

    // Loads the clip; a missing picture, or one whose width is not
    // `frameCount` square frames, leaves the control empty and says false.
    bool Open(const QString& path, int frameCount);
    int FrameCount() const { return Frames; }
    int Frame() const { return Current; }
    const QImage& FrameImage() const { return Picture; }

    bool Active() const;
    // Starts or stops the clip; stopping goes back to the first frame.
    void SetActive(bool on);
    // The next frame, after the last the first again.
    void Step();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowFrame(int frame);

    QImage Strip;
    QImage Picture;
    int Frames = 0;
    int Current = 0;
    QTimer* Timer = nullptr;
};

} // namespace orvanta
