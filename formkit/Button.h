#pragma once

// A push button, radio button or check box of an open dialog.

#include "formkit/WindowedControl.h"

class CButton : public CWindowedControl {
public:
    using CWindowedControl::CWindowedControl;

    bool GetCheck() const;
    void SetCheck(bool checked);
    // Presses the button as the user would: the dialog gets its command.
    void Click();
};
