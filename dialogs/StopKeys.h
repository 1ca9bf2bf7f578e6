#pragma once

#include <QObject>

namespace orvanta {

// Whether Enter and Esc are held down, as the key events of the whole
// application tell it: a long computation on the user-interface thread
// looks at them between its steps.
//
// The keys are watched from construction on, not only while a progress
// window is up: the Enter that confirms the dialog before a search is pressed
// while that dialog is active, and the search must know that it is still
// held. Auto-repeat releases do not count as releases. When the application
// loses the keyboard its key releases go elsewhere, so both keys count as
// released then.
class TStopKeys : public QObject {
    Q_OBJECT
public:
    explicit TStopKeys(QObject* parent = nullptr);
    ~TStopKeys() override;

    // Either Enter key: the main one or the keypad's.
    bool EnterHeld() const { return ReturnDown || KeypadEnterDown; }
    bool EscHeld() const { return EscDown; }
    bool AnyHeld() const { return EnterHeld() || EscHeld(); }

    static bool IsStopKey(int key);

signals:
    // A stop key went up.
    void Released();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ReleaseAll();

    bool ReturnDown = false;
    bool KeypadEnterDown = false;
    bool EscDown = false;
};

} // namespace orvanta
