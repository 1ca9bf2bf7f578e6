#include "dialogs/DiagramWizard.h"

#include "dialogs/DiagramStep1.h"
#include "dialogs/DiagramStep2.h"
#include "dialogs/DiagramStep3.h"

namespace orvanta {

TDiagramWizard::TDiagramWizard(QWidget* parent)
    : Step1(new TDiagramStep1(parent)), Step2(new TDiagramStep2(parent)),
      Step3(new TDiagramStep3(parent)) {
    Step1->SetLevelsPage(Step3);
    Pages = {Step1, Step2, Step3};
}

TDiagramWizard::~TDiagramWizard() {
    for (const QPointer<QDialog>& page : Pages)
        delete page.data();
}

std::optional<TDiagramAnswer> TDiagramWizard::Run(const std::vector<std::string>& factorNames) {
    Step1->SetFactorNames(factorNames);
    Step3->SetFactorNames(factorNames);
    TWizardTemplateForm* const pages[] = {Step1, Step2, Step3};
    int page = 0;
    while (page < 3) {
        const int result = pages[page]->exec();
        if (result == TWizardTemplateForm::PageForwardResult)
            ++page;
        else if (result == TWizardTemplateForm::PageBackResult && page > 0)
            --page;
        else
            return std::nullopt; // Cancel, or the page closed some other way
    }
    TDiagramAnswer answer;
    answer.Factor = Step3->FirstExcluded;
    answer.Start = Step2->Range().Left;
    answer.End = Step2->Range().Right;
    answer.Points = Step2->Range().Points;
    answer.Point = Step3->Levels;
    return answer;
}

} // namespace orvanta
