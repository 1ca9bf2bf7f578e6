#pragma once

#include "dialogs/NewPlanWizardLogic.h"
#include "dialogs/WizardStepForm.h"

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QListWidget;
class QListWidgetItem;

namespace orvanta {

class TWizardSpinEdit;

// Step 4 of the new-plan wizard: the model's terms, one position at a time.
// The person sets the number of terms, moves to a position and picks the
// function for it from the list. Done is refused while a position has no
// function: the bad-addens dialog lists them.
class TStepFourForm : public TWizardStepForm {
    Q_OBJECT
public:
    // `showBadAddens` shows the bad-addens dialog with its lines, modally.
    using TBadAddensDialog = std::function<void(const std::vector<std::string>& lines)>;

    explicit TStepFourForm(QWidget* parent = nullptr);

    void SetBadAddensDialog(TBadAddensDialog dialog) { ShowBadAddens = std::move(dialog); }
    // The registry and the plan's size the list is filled for when shown.
    void Prepare(const TMathCatalog* catalog, const TPlanSize& size);
    // The term assignment list, in term order (null where unassigned).
    const std::vector<const TAdden*>& Terms() const { return Assignment.Terms(); }
    // The D-optimal plan built for the terms as they are now (N runs of k
    // coded values), empty when none was built or the terms changed since.
    const std::vector<std::vector<double>>& DOptimalRuns() const { return Runs; }
    // The adden a list entry stands for.
    static const TAdden* EntryAdden(const QListWidgetItem* item);

    TWizardSpinEdit* SEnAddens = nullptr;
    TWizardSpinEdit* SEIndex = nullptr;
    QListWidget* LBFunctions = nullptr;
    QLineEdit* EAdden = nullptr;
    QPushButton* DOptimalButton = nullptr;
    QLabel* DOptimalInfo = nullptr;

public slots:
    void GoForward() override;
    void GoBack() override;
    void EscapeCancel() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void FillFunctions();
    void CountChanged();
    void IndexChanged();
    void FunctionChosen(QListWidgetItem* item);
    // Writes the rules' counter texts and ranges into the two fields; a
    // position that moved runs the position rule as a typed one would.
    void ShowCounters();
    void SelectEntryOf(const TAdden* adden);
    // "Построить D-оптимальный план": for the terms chosen, N runs by
    // coordinate exchange; the plan made with "Готово" gets them.
    void BuildDOptimal();
    void ForgetDOptimal();
    // Going back and Esc leave both counters readable first.
    void ClampCounters();

    TTermAssignment Assignment;
    const TMathCatalog* Catalog = nullptr;
    TPlanSize Size;
    TBadAddensDialog ShowBadAddens;
    std::vector<std::vector<double>> Runs;
    bool Updating = false;
};

} // namespace orvanta
