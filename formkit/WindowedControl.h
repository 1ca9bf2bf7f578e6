#pragma once

// A handle over one control of an open dialog. The dialog owns it; it is
// valid while the dialog is open.

#include <string>

class CWindowedControl {
public:
    // widget: the control's QWidget* as void*.
    CWindowedControl(void* widget, int id);
    virtual ~CWindowedControl();
    CWindowedControl(const CWindowedControl&) = delete;
    CWindowedControl& operator=(const CWindowedControl&) = delete;

    int Id() const { return ControlId; }
    void* Handle() const { return Widget; }

    std::string GetText() const; // UTF-8
    void SetText(const std::string& text);
    bool IsEnabled() const;
    void Enable(bool enable = true);
    bool IsVisible() const;
    void Show(bool show = true);
    void SetFocus();

private:
    void* Widget;
    int ControlId;
};
