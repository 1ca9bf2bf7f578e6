#pragma once

#include "dialogs/WizardTemplateForm.h"

#include <string>
#include <vector>

class QListWidget;

namespace orvanta {

class TDiagramStep3;

// The first page of the diagram wizard: the factor the response is drawn
// against. The list is filled anew with the plan's factor names every time
// the page is shown; going forward tells the levels page which factor is
// swept, so that it holds all the others.
class TDiagramStep1 : public TWizardTemplateForm {
    Q_OBJECT
public:
    explicit TDiagramStep1(QWidget* parent = nullptr);

    // The plan's factor names, listed on the next showing.
    void SetFactorNames(const std::vector<std::string>& names);
    // The page that is told the chosen factor.
    void SetLevelsPage(TDiagramStep3* page) { LevelsPage = page; }

    bool PageForward() override;

    QListWidget* LBFactors = nullptr;

protected:
    bool CloseQuery(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    std::vector<std::string> FactorNames;
    TDiagramStep3* LevelsPage = nullptr;
};

} // namespace orvanta
