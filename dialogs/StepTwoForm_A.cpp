#include "dialogs/StepTwoForm_A.h"

#include "dialogs/NewPlanWizardLogic.h"
#include "dialogs/WizardSpinEdit.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvanta {

namespace {

const char* const FactorsField = "Количество факторов";
const char* const RunsField = "Количество опытов";

} // namespace

TStepTwoForm_A::TStepTwoForm_A(QWidget* parent)
    : TWizardStepForm(TWizardArt::Spectrum, true, parent) {
    setObjectName(QStringLiteral("StepTwoForm_A"));
    setWindowTitle(QStringLiteral("Новый план: шаг 2 из 4 (параметры плана эксперимента)"));

    AddText(QStringLiteral("Вы используете нестандартный план эксперимента, определяемый "
                           "спектром с параметрами:"));
    auto* group = new QGroupBox(QStringLiteral(" Параметры спектра: "), this);
    KEdit = new TWizardSpinEdit(1, 10, 2, group);
    KEdit->setObjectName(QStringLiteral("KEdit"));
    NEdit = new TWizardSpinEdit(1, 999, 4, group);
    NEdit->setObjectName(QStringLiteral("NEdit"));
    auto* fields = new QFormLayout(group);
    fields->addRow(QStringLiteral("Число варьируемых факторов:"), KEdit);
    fields->addRow(QStringLiteral("Число опытов (без повторений):"), NEdit);
    Content()->addWidget(group);
    AddText(QStringLiteral("Число варьируемых факторов обычно находится в пределах от 1 "
                           "(одномерная регрессия) до 4 (большинство  технологических задач "
                           "предполагает наличие 2 - 3 независимых факторов).  Вы можете указать "
                           "любое число, не меньшее 1."));
    AddText(QStringLiteral("Число опытов должно быть больше числа коэффициентов модели или, по "
                           "крайней мере, равно ему."));
    Content()->addStretch();

    // The buttons check (forward) or clamp (back, cancel) by themselves.
    const std::vector<const QWidget*> buttons{BackButton, ForwardButton, CancelButton};
    KEdit->CheckOnLeave(FactorsField, buttons);
    NEdit->CheckOnLeave(RunsField, buttons);
}

std::int32_t TStepTwoForm_A::FactorCount() const {
    return KEdit->ClampedValue();
}

std::int32_t TStepTwoForm_A::RunCount() const {
    return NEdit->ClampedValue();
}

void TStepTwoForm_A::GoForward() {
    if (KEdit->Check(FactorsField) && NEdit->Check(RunsField))
        CloseStep(StepForward);
}

void TStepTwoForm_A::ClampFields() {
    KEdit->Clamp();
    NEdit->Clamp();
}

void TStepTwoForm_A::GoBack() {
    ClampFields();
    CloseStep(StepBack);
}

void TStepTwoForm_A::EscapeCancel() {
    ClampFields();
    CloseStep(StepCancel);
}

void TStepTwoForm_A::showEvent(QShowEvent* event) {
    TWizardStepForm::showEvent(event);
    KEdit->setFocus();
    KEdit->selectAll();
}

} // namespace orvanta
