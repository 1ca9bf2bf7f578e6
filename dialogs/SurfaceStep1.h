#pragma once

#include "dialogs/WizardTemplateForm.h"

#include <cstdint>
#include <string>
#include <vector>

class QListWidget;

namespace orvanta {

class TDiagramStep3;

// The first page of the surface wizard: the two factors the response is
// drawn against. Each list leaves out the factor chosen in the other, so the
// two can never be the same; a choice in one list refills the other. Every
// showing starts again from the first two factors. Going forward tells the
// levels page which factors are swept, so that it holds all the others.
class TSurfaceStep1 : public TWizardTemplateForm {
    Q_OBJECT
public:
    explicit TSurfaceStep1(QWidget* parent = nullptr);

    // The plan's factor names, listed on the next showing.
    void SetFactorNames(const std::vector<std::string>& names);
    // The page that is told the chosen factors.
    void SetLevelsPage(TDiagramStep3* page) { LevelsPage = page; }

    bool PageForward() override;

    std::int32_t FirstFactor = 0;
    std::int32_t SecondFactor = 1;

    QListWidget* LBFirstFactor = nullptr;
    QListWidget* LBSecondFactor = nullptr;

protected:
    bool CloseQuery(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    void FirstChosen();
    void SecondChosen();
    // Refills `list` without factor `excluded` and selects `factor` there.
    void Fill(QListWidget* list, std::int32_t excluded, std::int32_t factor);
    bool PairChosen() const;

    std::vector<std::string> FactorNames;
    TDiagramStep3* LevelsPage = nullptr;
};

} // namespace orvanta
