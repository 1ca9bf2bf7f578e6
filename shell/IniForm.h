#pragma once

#include <QWidget>

class QLabel;

namespace orvanta {

// The splash window of the start-up: borderless, centred, taking no input,
// a picture over a one-line status bar where the loading steps write.
class TIniForm : public QWidget {
    Q_OBJECT
public:
    explicit TIniForm(QWidget* parent = nullptr);
    // Shows the text at once, without waiting for the event loop.
    void SetStatus(const QString& text);
    QString Status() const;

private:
    QLabel* StatusLine = nullptr;
};

} // namespace orvanta
