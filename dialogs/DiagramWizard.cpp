#include "dialogs/DiagramWizard.h"

#include "dialogs/DiagramStep1.h"
#include "dialogs/DiagramStep2.h"
#include "dialogs/DiagramStep3.h"
#include "dialogs/DiagramWizardLogic.h"

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
    if (!RunWizardPages(3, [&pages](int page) { return pages[page]->exec(); }))
        return std::nullopt;
    TDiagramAnswer answer;
    answer.Factor = Step3->FirstExcluded;
    answer.Start = Step2->Range().Left;
    answer.End = Step2->Range().Right;
    answer.Points = Step2->Range().Points;
    answer.Point = Step3->Levels;
    return answer;
}

} // namespace orvanta
