#include "dialogs/StepThreeForm.h"

#include "dialogs/ModelSumPicture.h"
#include "numeric/Messages.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvanta {

TStepThreeForm::TStepThreeForm(QWidget* parent) : TWizardStepForm(TWizardArt::Curve, true, parent) {
    setObjectName(QStringLiteral("StepThreeForm"));
    setWindowTitle(QStringLiteral("Новый план: шаг 3 из 4 (параметры модели)"));

    AddText(QStringLiteral("Экспериментально - статистическая модель, параметры которой Вы "
                           "можете определить с помощью этой программы, является суммой вида:"));
    SumPicture = new TModelSumPicture(this);
    SumPicture->setObjectName(QStringLiteral("SumImage"));
    Content()->addWidget(SumPicture);
    AddText(QStringLiteral("в которой определению подлежат коэффициенты, а все функции зависят "
                           "только от варьируемых факторов."));

    CBUseDefaultModel =
        new QCheckBox(QStringLiteral("Использовать одну из стандартных моделей"), this);
    CBUseDefaultModel->setObjectName(QStringLiteral("CBUseDefaultModel"));
    CBUseDefaultModel->setChecked(true);
    Content()->addWidget(CBUseDefaultModel);
    LBModels = new QListWidget(this);
    LBModels->setObjectName(QStringLiteral("LBModels"));
    LBModels->setMinimumHeight(100);
    QLabel* modelsLabel = AddText(QStringLiteral("Стандартные модели:"));
    modelsLabel->setBuddy(LBModels);
    Content()->addWidget(LBModels, 1);
    SetForwardFinishes(true);

    connect(CBUseDefaultModel, &QCheckBox::toggled, this, &TStepThreeForm::UseModelToggled);
}

void TStepThreeForm::Prepare(const TMathCatalog* catalog, const TPlanSize& size) {
    Catalog = catalog;
    Size = size;
}

std::string TStepThreeForm::ModelName() const {
    const QList<QListWidgetItem*> selected = LBModels->selectedItems();
    return selected.isEmpty() ? std::string() : selected.front()->text().toStdString();
}

bool TStepThreeForm::UseStandardModel() const {
    return CBUseDefaultModel->isChecked();
}

void TStepThreeForm::GoForward() {
    if (CBUseDefaultModel->isChecked() && LBModels->selectedItems().isEmpty()) {
        ShowWarning("Пожалуйста, выберите нужную модель.");
        LBModels->setFocus();
        if (LBModels->count() > 0)
            LBModels->setCurrentRow(0);
        return;
    }
    CloseStep(StepForward);
}

void TStepThreeForm::showEvent(QShowEvent* event) {
    TWizardStepForm::showEvent(event);
    FillModels();
}

void TStepThreeForm::FillModels() {
    LBModels->clear();
    if (Catalog)
        for (const std::string& name : ModelNamesForSize(*Catalog, Size))
            LBModels->addItem(QString::fromStdString(name));
    LBModels->setCurrentRow(-1);
    LBModels->clearSelection();
    const bool any = LBModels->count() > 0;
    CBUseDefaultModel->setEnabled(any);
    CBUseDefaultModel->setChecked(any);
    // The list and the caption follow the check box even when it kept its
    // state.
    UseModelToggled(any);
}

void TStepThreeForm::UseModelToggled(bool checked) {
    LBModels->setEnabled(checked);
    SetForwardFinishes(checked);
}

} // namespace orvanta
