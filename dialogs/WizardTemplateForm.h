#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace orvanta {

class TKeyPreview;

// The page frame of the diagram and surface wizards: a 480 x 300 page with
// a picture on the left, a panel beside it that each page fills with its own
// controls, and "<< Назад", "Далее >>" and "Отмена" below.
//
// The buttons run PageBack() or PageForward() and then close the page with
// their result (back 4, forward 1, cancel 2), unless CloseQuery() keeps it
// open. On key-up, Ctrl + "," and Ctrl + "." run the same operations and
// close the page only when they answer true.
class TWizardTemplateForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int PageBackResult = 4;
    static constexpr int PageForwardResult = 1;
    static constexpr int PageCancelResult = 2;

    explicit TWizardTemplateForm(QWidget* parent = nullptr);
    ~TWizardTemplateForm() override;

    // Whether the page allows going back (a first page answers false).
    virtual bool PageBack() { return false; }
    // Takes over the page's values; whether the page may go forward.
    virtual bool PageForward() { return true; }

    QPushButton* BackwardButton = nullptr;
    QPushButton* ForwardButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QFrame* ImgPanel = nullptr;
    QLabel* Image = nullptr;
    QFrame* TextPanel = nullptr;

    void reject() override;

protected:
    // The pages of the diagram and surface wizards show a curve.
    void ShowCurvePicture();
    // The page's own check before it closes with `result`; false keeps it.
    virtual bool CloseQuery(int result);
    // Closes with `result` when CloseQuery() allows.
    void ClosePage(int result);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool PreviewKey(QKeyEvent& event);

    TKeyPreview* Keys = nullptr;
};

// A label whose text wraps within its parent: the pages' explanations.
QLabel* WrappedText(const QString& text, QWidget* parent);

} // namespace orvanta
