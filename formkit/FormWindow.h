#pragma once

// The window of an open CDialog: the template's controls as Qt widgets.
// Buttons report their id through Commanded; Escape and the close box go to
// CancelRequested instead of closing the window on their own.

#include "formkit/DialogTemplate.h"

#include <QDialog>

#include <functional>
#include <vector>

class TFormWindow : public QDialog {
public:
    TFormWindow(QWidget* owner, const TDialogTemplate& dialogTemplate);

    // One widget per template control, in template order.
    const std::vector<QWidget*>& Widgets() const { return Created; }

    std::function<void(int)> Commanded;
    std::function<void()> CancelRequested;

    void reject() override;

private:
    QWidget* CreateControl(const TControlTemplate& control);
    void Place(QWidget* widget, const TControlTemplate& control) const;
    void GroupRadioButtons(const TDialogTemplate& dialogTemplate);

    std::vector<QWidget*> Created;
};
