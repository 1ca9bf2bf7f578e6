#include "dialogs/StepFourForm.h"

#include "design/DOptimal.h"
#include "dialogs/WizardSpinEdit.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"

#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace orvanta {

namespace {

constexpr int AddenRole = Qt::UserRole;

} // namespace

TStepFourForm::TStepFourForm(QWidget* parent) : TWizardStepForm(TWizardArt::Curve, true, parent) {
    setObjectName(QStringLiteral("StepFourForm"));
    setWindowTitle(QStringLiteral("Новый план: шаг 4 из 4 (параметры слагаемых модели)"));
    BuildControls();
    SetForwardFinishes(true);

    connect(SEnAddens, &TWizardSpinEdit::TextChanged, this, &TStepFourForm::CountChanged);
    connect(SEnAddens, &TWizardSpinEdit::Left, this, [this] {
        Assignment.CountText = SEnAddens->Text().toStdString();
        Assignment.CountLeft();
        ShowCounters();
    });
    connect(SEIndex, &TWizardSpinEdit::TextChanged, this, &TStepFourForm::IndexChanged);
    connect(LBFunctions, &QListWidget::itemClicked, this, &TStepFourForm::FunctionChosen);
    connect(DOptimalButton, &QPushButton::clicked, this, &TStepFourForm::BuildDOptimal);
    // Moving through the list with the keys chooses as a click does.
    connect(LBFunctions, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { FunctionChosen(item); });
}

void TStepFourForm::BuildControls() {
    AddText(QStringLiteral("Вы можете выбрать функции - слагаемые модели. Число слагаемых (и "
                           "число коэффициентов модели) не может превышать числа опытов."));
    SEnAddens = new TWizardSpinEdit(1, TTermAssignment::MaxTerms, 4, this);
    SEnAddens->setObjectName(QStringLiteral("SEnAddens"));
    SEIndex = new TWizardSpinEdit(1, 4, 1, this);
    SEIndex->setObjectName(QStringLiteral("SEIndex"));
    auto* counters = new QFormLayout;
    counters->addRow(QStringLiteral("Число слагаемых:"), SEnAddens);
    counters->addRow(QStringLiteral("Номер слагаемого в модели:"), SEIndex);
    Content()->addLayout(counters);

    LBFunctions = new QListWidget(this);
    LBFunctions->setObjectName(QStringLiteral("LBFunctions"));
    LBFunctions->setMinimumHeight(120);
    AddText(QStringLiteral("Назначить функцию:"))->setBuddy(LBFunctions);
    Content()->addWidget(LBFunctions, 1);
    EAdden = new QLineEdit(this);
    EAdden->setObjectName(QStringLiteral("EAdden"));
    EAdden->setReadOnly(true);
    AddText(QStringLiteral("Стандартная запись слагаемого:"))->setBuddy(EAdden);
    Content()->addWidget(EAdden);

    DOptimalButton = new QPushButton(QStringLiteral("Построить D-оптимальный план"), this);
    DOptimalButton->setObjectName(QStringLiteral("DOptimalButton"));
    DOptimalButton->setAutoDefault(false);
    Content()->addWidget(DOptimalButton, 0, Qt::AlignLeft);
    DOptimalInfo = AddText(QString());
    DOptimalInfo->setObjectName(QStringLiteral("DOptimalInfo"));
}

void TStepFourForm::Prepare(const TMathCatalog* catalog, const TPlanSize& size) {
    Catalog = catalog;
    Size = size;
}

const TAdden* TStepFourForm::EntryAdden(const QListWidgetItem* item) {
    if (!item)
        return nullptr;
    return reinterpret_cast<const TAdden*>(item->data(AddenRole).value<quintptr>());
}

void TStepFourForm::showEvent(QShowEvent* event) {
    TWizardStepForm::showEvent(event);
    Assignment.CountText = SEnAddens->Text().toStdString();
    Assignment.IndexText = SEIndex->Text().toStdString();
    Assignment.Prepare(Size.RunCount);
    ShowCounters();
    FillFunctions();
    ForgetDOptimal();
    SEnAddens->setFocus();
}

void TStepFourForm::FillFunctions() {
    Updating = true;
    LBFunctions->clear();
    if (Catalog)
        for (const TAdden* adden : AddensForFactors(*Catalog, Size.FactorCount)) {
            auto* item = new QListWidgetItem(QString::fromStdString(adden->GetText()));
            item->setData(AddenRole, QVariant::fromValue(reinterpret_cast<quintptr>(adden)));
            LBFunctions->addItem(item);
        }
    LBFunctions->setCurrentRow(-1);
    LBFunctions->clearSelection();
    Updating = false;
    ForwardButton->setEnabled(LBFunctions->count() > 0);
}

void TStepFourForm::CountChanged() {
    if (Updating)
        return;
    Assignment.CountText = SEnAddens->Text().toStdString();
    Assignment.CountChanged();
    ShowCounters();
    ForgetDOptimal();
}

void TStepFourForm::IndexChanged() {
    if (Updating)
        return;
    Updating = true;
    LBFunctions->setCurrentRow(-1);
    LBFunctions->clearSelection();
    Updating = false;
    Assignment.IndexText = SEIndex->Text().toStdString();
    const TAdden* adden = Assignment.IndexChanged();
    ShowCounters();
    if (adden)
        SelectEntryOf(adden);
}

void TStepFourForm::FunctionChosen(QListWidgetItem* item) {
    if (Updating || !item)
        return;
    const TAdden* adden = EntryAdden(item);
    Assignment.IndexText = SEIndex->Text().toStdString();
    if (Assignment.Assign(adden)) {
        EAdden->setText(QString::fromStdString(adden->GetName()));
        ForgetDOptimal();
    }
}

void TStepFourForm::BuildDOptimal() {
    const std::vector<std::string> lines = Assignment.BadAddenLines();
    if (!lines.empty()) {
        if (ShowBadAddens)
            ShowBadAddens(lines);
        LBFunctions->setFocus();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The batch tool's default seed: the wizard and `orvan new --d-optimal`
    // give the same plan for the same terms.
    const TDOptimalPlan plan =
        BuildDOptimalPlanFor(Size.RunCount, AddenBasis(Size.FactorCount, Terms()), {});
    QApplication::restoreOverrideCursor();
    if (plan.Runs.empty()) {
        ForgetDOptimal();
        ShowWarning(plan.Message);
        return;
    }
    Runs = plan.Runs;
    DOptimalInfo->setText(QString::fromStdString(
        (plan.Mixture ? "Построен D-оптимальный план смеси: N = "
                      : "Построен D-оптимальный план: N = ") +
        IntToStr(Size.RunCount) + ", D-эффективность " + FormatGeneral(plan.DEfficiency, 4) +
        " %. Нажмите \"Готово\", чтобы создать план."));
}

void TStepFourForm::ForgetDOptimal() {
    Runs.clear();
    DOptimalInfo->clear();
}

void TStepFourForm::ShowCounters() {
    Updating = true;
    SEnAddens->SetText(QString::fromStdString(Assignment.CountText));
    SEnAddens->SetMaximum(Assignment.CountMax);
    SEIndex->SetMaximum(Assignment.IndexMax);
    const QString index = QString::fromStdString(Assignment.IndexText);
    const bool moved = SEIndex->Text() != index;
    SEIndex->SetText(index);
    Updating = false;
    if (moved)
        IndexChanged();
}

void TStepFourForm::SelectEntryOf(const TAdden* adden) {
    for (int row = 0; row < LBFunctions->count(); ++row)
        if (EntryAdden(LBFunctions->item(row)) == adden) {
            Updating = true;
            LBFunctions->setCurrentRow(row);
            Updating = false;
            return;
        }
}

void TStepFourForm::GoForward() {
    const std::vector<std::string> lines = Assignment.BadAddenLines();
    if (lines.empty()) {
        CloseStep(StepForward);
        return;
    }
    if (ShowBadAddens)
        ShowBadAddens(lines);
    LBFunctions->setFocus();
}

void TStepFourForm::ClampCounters() {
    Assignment.IndexText = SEIndex->Text().toStdString();
    Assignment.CountText = SEnAddens->Text().toStdString();
    Assignment.ClampCounters();
    ShowCounters();
}

void TStepFourForm::GoBack() {
    ClampCounters();
    CloseStep(StepBack);
}

void TStepFourForm::EscapeCancel() {
    ClampCounters();
    CloseStep(StepCancel);
}

} // namespace orvanta
