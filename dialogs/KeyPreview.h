#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace orvanta {

// Lets a window see the key events of its own widgets before they do, as the
// wizard windows need for their key-up shortcuts: whichever field has the
// focus, Ctrl + "." still means forward. The handler gets key presses and
// releases (auto-repeated releases left out) of every widget in the window
// while previewing is on, and swallows the ones it answers true for.
class TKeyPreview : public QObject {
    Q_OBJECT
public:
    using THandler = std::function<bool(QKeyEvent& event)>;

    TKeyPreview(QWidget& window, THandler handler);
    ~TKeyPreview() override;

    // The window turns previewing on when shown and off when hidden.
    void Start();
    void Stop();

    // The "." and "," keys, also where the keyboard layout puts Cyrillic
    // letters on them.
    static bool IsPeriodKey(const QKeyEvent& event);
    static bool IsCommaKey(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& Window;
    THandler Handler;
    bool Active = false;
};

} // namespace orvanta
