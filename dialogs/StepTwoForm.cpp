#include "dialogs/StepTwoForm.h"

#include "dialogs/NewPlanWizardLogic.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace orvanta {

TStepTwoForm::TStepTwoForm(QWidget* parent) : TWizardStepForm(TWizardArt::Composite, true, parent) {
    setObjectName(QStringLiteral("StepTwoForm"));
    setWindowTitle(
        QStringLiteral("Новый план: шаг 2 из 4 (выбор стандартного плана эксперимента)"));

    AddText(QStringLiteral("Стандартные планы экспериментов: план полного факторного "
                           "эксперимента, композиционные планы, планы для построения моделей "
                           "систем \"состав - свойства\"."));
    LBPlans = new QListWidget(this);
    LBPlans->setObjectName(QStringLiteral("LBPlans"));
    LBPlans->setMinimumHeight(120);
    QLabel* plansLabel = AddText(QStringLiteral("Использовать план:"));
    plansLabel->setBuddy(LBPlans);
    Content()->addWidget(LBPlans, 1);

    EModel = new QLineEdit(this);
    EModel->setObjectName(QStringLiteral("EModel"));
    EModel->setReadOnly(true);
    QLabel* modelLabel = AddText(QStringLiteral("Выбранный план обычно используется с моделью:"));
    modelLabel->setBuddy(EModel);
    Content()->addWidget(EModel);

    CBUseDefaultModel = new QCheckBox(QStringLiteral("Использовать эту модель"), this);
    CBUseDefaultModel->setObjectName(QStringLiteral("CBUseDefaultModel"));
    CBUseDefaultModel->setChecked(true);
    Content()->addWidget(CBUseDefaultModel);
    SetForwardFinishes(true);

    connect(LBPlans, &QListWidget::currentRowChanged, this, [this] {
        if (!Filling)
            PlanSelected();
    });
    connect(LBPlans, &QListWidget::itemClicked, this, &TStepTwoForm::PlanSelected);
    connect(CBUseDefaultModel, &QCheckBox::toggled, this, &TStepTwoForm::UseDefaultModelToggled);
}

std::string TStepTwoForm::GeneratorName() const {
    // The current entry, not the selection: a click makes the entry current
    // before it selects it, and the handler runs in between.
    const QListWidgetItem* item = LBPlans->currentItem();
    return item ? item->text().toStdString() : std::string();
}

bool TStepTwoForm::UseDefaultModel() const {
    return CBUseDefaultModel->isChecked();
}

void TStepTwoForm::showEvent(QShowEvent* event) {
    TWizardStepForm::showEvent(event);
    FillPlans();
}

void TStepTwoForm::FillPlans() {
    Filling = true;
    LBPlans->clear();
    if (Catalog)
        for (const std::string& name : GeneratorNames(*Catalog))
            LBPlans->addItem(QString::fromStdString(name));
    Filling = false;
    const bool any = LBPlans->count() > 0;
    LBPlans->setEnabled(any);
    CBUseDefaultModel->setEnabled(any);
    if (!any) {
        CBUseDefaultModel->setChecked(false);
        return;
    }
    {
        const QSignalBlocker quiet(LBPlans);
        LBPlans->setCurrentRow(0);
    }
    PlanSelected();
    LBPlans->setFocus();
}

void TStepTwoForm::PlanSelected() {
    if (!Catalog || LBPlans->currentRow() < 0)
        return;
    const TDefaultModelView view = DescribeGenerator(*Catalog, GeneratorName());
    if (!view.Found)
        return;
    EModel->setText(QString::fromStdString(view.ModelText));
    if (!view.HasDefault)
        CBUseDefaultModel->setChecked(false);
    CBUseDefaultModel->setEnabled(view.HasDefault);
}

void TStepTwoForm::UseDefaultModelToggled(bool checked) {
    SetForwardFinishes(checked);
}

} // namespace orvanta
