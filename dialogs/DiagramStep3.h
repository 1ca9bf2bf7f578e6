#pragma once

#include "dialogs/WizardTemplateForm.h"

#include <cstdint>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

namespace orvanta {

// The last page of the diagram and the surface wizards: the levels at which
// the factors that are not swept are held. The wizard's first page names the
// swept factor(s) in FirstExcluded and SecondExcluded (-1 for none) before
// the page is shown; every showing starts again from all levels at 0.
//
// The level field belongs to the current list entry: choosing another entry
// keeps the typed level for the one left, and Forward keeps it for the
// current one. A text that is not a number keeps the entry current.
class TDiagramStep3 : public TWizardTemplateForm {
    Q_OBJECT
public:
    explicit TDiagramStep3(QWidget* parent = nullptr);

    // The plan's factor names, listed on the next showing.
    void SetFactorNames(const std::vector<std::string>& names);
    // The list entry whose level the field shows, -1 when none.
    std::int32_t CurrentEntry() const { return Current; }

    bool PageBack() override;
    bool PageForward() override;

    std::int32_t FirstExcluded = -1;
    std::int32_t SecondExcluded = -1;
    // The level of every factor, coded; the swept factors' entries are 0.
    std::vector<double> Levels;

    QListWidget* LBFactors = nullptr;
    QLineEdit* ELevel = nullptr;

protected:
    bool CloseQuery(int result) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Prepare();
    void EntryChosen(int row);
    void FieldClicked();
    void NormaliseField();
    std::int32_t CurrentFactor() const;

    std::vector<std::string> FactorNames;
    std::vector<std::int32_t> Fixed;
    std::int32_t Current = -1;
    bool ForwardAllowed = false;
};

} // namespace orvanta
