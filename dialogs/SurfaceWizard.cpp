#include "dialogs/SurfaceWizard.h"

#include "dialogs/DiagramStep3.h"
#include "dialogs/DiagramWizardLogic.h"
#include "dialogs/SurfaceStep1.h"
#include "dialogs/SurfaceStep2.h"

namespace orvanta {

static_assert(static_cast<int>(TPageClose::Forward) == TWizardTemplateForm::PageForwardResult &&
              static_cast<int>(TPageClose::Back) == TWizardTemplateForm::PageBackResult &&
              static_cast<int>(TPageClose::Cancel) == TWizardTemplateForm::PageCancelResult);

TSurfaceWizard::TSurfaceWizard(QWidget* parent, TDiagramStep3& levelsPage)
    : Step1(new TSurfaceStep1(parent)), Step2(new TSurfaceStep2(parent)), Step3(levelsPage) {
    Step1->SetLevelsPage(&Step3);
    Pages = {Step1, Step2};
}

TSurfaceWizard::~TSurfaceWizard() {
    for (const QPointer<QDialog>& page : Pages)
        delete page.data();
}

std::optional<TSurfaceAnswer> TSurfaceWizard::Run(const std::vector<std::string>& factorNames) {
    Step1->SetFactorNames(factorNames);
    Step3.SetFactorNames(factorNames);
    TWizardTemplateForm* const pages[] = {Step1, Step2, &Step3};
    if (!RunWizardPages(3, [&pages](int page) { return pages[page]->exec(); }))
        return std::nullopt;
    const TSurfaceRanges& ranges = Step2->Ranges();
    TSurfaceAnswer answer;
    answer.FactorX = Step1->FirstFactor;
    answer.FactorY = Step1->SecondFactor;
    answer.XStart = ranges[0].Left;
    answer.XEnd = ranges[0].Right;
    answer.XPoints = ranges[0].Points;
    answer.YStart = ranges[1].Left;
    answer.YEnd = ranges[1].Right;
    answer.YPoints = ranges[1].Points;
    answer.Point = Step3.Levels;
    return answer;
}

} // namespace orvanta
