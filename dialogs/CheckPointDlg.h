#pragma once

#include "dialogs/CheckPointPlacementLogic.h"
#include "dialogs/DialogClosing.h"
#include "dialogs/WizardSpinEdit.h"
#include "numeric/NamedVector.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <string>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;

namespace orvanta {

class TMTEditForm;

// The check-point window ("Контрольная точка"): a non-modal tool window,
// always above the main window, in which the person sets the coordinates of
// the check point (coded or natural) and the responses observed there, each
// in a grid editor window of the main window's child area. At most one such
// editor belongs to the dialog; opening another closes it first. An editor
// edits a scratch copy, which goes back into the dialog's vectors when the
// editor closes.
//
// The plan fills the dialog, installs its close handler and shows it; the
// handler runs on every close, after the dialog closed its editor, and takes
// the vectors over when Accepted() says the dialog closed with "Ok".
class TCheckPointDlg : public TSmallDialog {
    Q_OBJECT
public:
    TCheckPointDlg(QWidget* mainWindow, QMdiArea& area);
    ~TCheckPointDlg() override;

    void SetCodedPoint(const TNamedVector& point);
    // Also sets the repeat count to the vector's length.
    void SetObservations(const TNamedVector& y);
    const TNamedVector& CodedPoint() const { return Coded; }
    const TNamedVector& Observations() const { return Responses; }
    // Closed with "Ok"; cleared whenever the dialog is shown.
    bool Accepted() const { return CloseResult() == TCloseResult::OK; }

    // The plan's conversions between coded and natural units, k values each.
    std::function<void(const double* coded, double* natural)> CodedToNatural;
    std::function<void(const double* natural, double* coded)> NaturalToCoded;
    // The plan's close handler.
    std::function<void()> OnClose;
    // Sets or clears the main window's request to bring the dialog to the
    // front on its next clock tick.
    std::function<void(bool)> SetFrontRequest;

    // When the dialog is already on the screen: restores it if minimized and
    // brings it to the front; false when it is hidden.
    bool BringForward();
    // Shows the dialog at the top right of the main window's child area.
    void ShowBesideMain();

    // The editor window opened from the dialog, or null.
    QMdiSubWindow* EditorWindow() const;
    TMTEditForm* EditorForm() const;
    // Closes that editor, keeping what was typed into it, and withdraws the
    // request to come to the front that its closing makes.
    void CloseEditor();

    void DefineCButtonClick();
    void DefineNButtonClick();
    void DefineCPYButtonClick();

    QPushButton* DefineNButton = nullptr;
    QPushButton* DefineCButton = nullptr;
    QLabel* LabelRcp = nullptr;
    TWizardSpinEdit* SERcp = nullptr;
    QPushButton* DefineCPYButton = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    bool Validate() override;
    // The repeat count is brought into 1 .. 999.
    void Restore() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class TEditorKind { Coded, Natural, Responses };

    void OpenEditor(TEditorKind kind);
    // The editor is closing: its copy goes back and the buttons come back.
    void EditorClosing();
    void SetEditorButtons(bool enabled);
    void PlaceBesideMain();
    void PlaceEditor(QMdiSubWindow& sub) const;
    TMainWindowFrame MainFrame() const;
    std::string RepeatsFieldName() const;
    void Closed();

    QWidget* MainWindow;
    QMdiArea& Area;
    TNamedVector Coded;
    TNamedVector Responses;
    std::shared_ptr<TNamedVector> Scratch;
    QPointer<QMdiSubWindow> Editor;
    TEditorKind EditorKind = TEditorKind::Coded;
};

} // namespace orvanta
