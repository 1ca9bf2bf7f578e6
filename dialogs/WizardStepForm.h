#pragma once

#include "dialogs/WizardPicture.h"

#include <QDialog>

#include <cstdint>

class QKeyEvent;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace orvanta {

class TKeyPreview;

// The frame every step of the new-plan wizard shares: the picture on the
// left, the step's own controls beside it, the buttons below, the step
// result, and the key-up shortcuts (Esc cancels; Ctrl + "," goes back and
// Ctrl + "." forward, or Alt + "." in a step without a way back).
//
// The step result is set to cancel whenever the step is shown, so that
// closing it by the title bar counts as cancel; the buttons and the keys set
// back or forward. A step with checks of its own overrides GoForward() and
// GoBack() and closes with CloseStep() once they pass.
class TWizardStepForm : public QDialog {
    Q_OBJECT
public:
    TWizardStepForm(TWizardArt art, bool hasBack, QWidget* parent = nullptr);
    ~TWizardStepForm() override;

    // 0 back, 1 forward, 2 cancel (StepBack, StepForward, StepCancel).
    std::int32_t StepResult() const { return Result; }
    // Shows the step modally and gives its result.
    std::int32_t RunStep();

    QPushButton* BackButton = nullptr; // absent in the first step
    QPushButton* ForwardButton = nullptr;
    QPushButton* CancelButton = nullptr;
    TWizardPicture* Picture = nullptr;

public slots:
    // What the buttons and the keys do.
    virtual void GoForward();
    virtual void GoBack();
    // Esc: cancel (steps with number fields bring them into range first).
    virtual void EscapeCancel();

protected:
    // Closes the step with the result.
    void CloseStep(std::int32_t result);
    // "Готово" when forward finishes the wizard, "Далее >>" otherwise.
    void SetForwardFinishes(bool finishes);
    // The column beside the picture that the step fills.
    QVBoxLayout* Content() const { return ContentLayout; }
    // A label that wraps its text to the column's width.
    QLabel* AddText(const QString& text);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool PreviewKey(QKeyEvent& event);

    std::int32_t Result;
    QVBoxLayout* ContentLayout = nullptr;
    TKeyPreview* Keys = nullptr;
};

} // namespace orvanta
