#include "dialogs/DiagramStep3.h"

#include "dialogs/DiagramWizardLogic.h"
#include "numeric/FieldChecks.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace orvanta {

TDiagramStep3::TDiagramStep3(QWidget* parent) : TWizardTemplateForm(parent) {
    setObjectName(QStringLiteral("DiagramStep3"));
    setWindowTitle(QStringLiteral("Подготовка данных: шаг 3 из 3"));
    ForwardButton->setText(QStringLiteral("Готово"));
    ShowCurvePicture();

    auto* text = new QLabel(QStringLiteral("Для остальных факторов необходимо указать уровни, на "
                                           "которых они будут зафиксированы при вычислении "
                                           "значений аппроксимирующей функции."),
                            TextPanel);
    text->setWordWrap(true);

    auto* factorGroup = new QGroupBox(QStringLiteral(" Фактор: "), TextPanel);
    LBFactors = new QListWidget(factorGroup);
    LBFactors->setObjectName(QStringLiteral("LBFactors"));
    LBFactors->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* factorLayout = new QVBoxLayout(factorGroup);
    factorLayout->addWidget(LBFactors);

    auto* levelGroup = new QGroupBox(QStringLiteral(" Уровень: "), TextPanel);
    ELevel = new QLineEdit(levelGroup);
    ELevel->setObjectName(QStringLiteral("ELevel"));
    auto* levelLayout = new QVBoxLayout(levelGroup);
    levelLayout->addWidget(ELevel);

    auto* layout = new QVBoxLayout(TextPanel);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->addWidget(text);
    layout->addWidget(factorGroup, 1);
    layout->addWidget(levelGroup);

    connect(LBFactors, &QListWidget::currentRowChanged, this, &TDiagramStep3::EntryChosen);
    ELevel->installEventFilter(this);
    setTabOrder(LBFactors, ELevel);
    setTabOrder(ELevel, BackwardButton);
    setTabOrder(BackwardButton, ForwardButton);
    setTabOrder(ForwardButton, CancelButton);
}

void TDiagramStep3::SetFactorNames(const std::vector<std::string>& names) {
    FactorNames = names;
}

bool TDiagramStep3::PageBack() {
    NormaliseField();
    return true;
}

bool TDiagramStep3::PageForward() {
    ForwardAllowed = true;
    if (ELevel->isEnabled() &&
        !StoreCheckedLevel(Levels, CurrentFactor(), ELevel->text().toStdString())) {
        ForwardAllowed = false;
        ELevel->setFocus();
        ELevel->selectAll();
    }
    return ForwardAllowed;
}

bool TDiagramStep3::CloseQuery(int result) {
    if (result == PageForwardResult)
        return ForwardAllowed;
    if (result == PageCancelResult)
        NormaliseField();
    return true;
}

void TDiagramStep3::showEvent(QShowEvent* event) {
    Prepare();
    TWizardTemplateForm::showEvent(event);
}

bool TDiagramStep3::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ELevel && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && ELevel->isEnabled())
        FieldClicked();
    return TWizardTemplateForm::eventFilter(watched, event);
}

void TDiagramStep3::Prepare() {
    ForwardAllowed = false;
    const auto factorCount = static_cast<std::int32_t>(FactorNames.size());
    Levels.assign(FactorNames.size(), 0.0);
    Fixed = FixedFactors(factorCount, FirstExcluded, SecondExcluded);
    const bool any = !Fixed.empty();
    {
        // The list is rebuilt, not chosen from: nothing is stored meanwhile.
        const QSignalBlocker blocker(LBFactors);
        LBFactors->clear();
        for (const std::string& line : FixedFactorLines(FactorNames, Fixed))
            LBFactors->addItem(QString::fromStdString(line));
        Current = any ? 0 : -1;
        if (any)
            LBFactors->setCurrentRow(0);
    }
    LBFactors->setEnabled(any);
    ELevel->setEnabled(any);
    if (any)
        ELevel->setText(QStringLiteral("0"));
    else
        ELevel->clear();
    (any ? static_cast<QWidget*>(LBFactors) : ForwardButton)->setFocus();
}

void TDiagramStep3::EntryChosen(int row) {
    if (row < 0 || row == Current || !LBFactors->isEnabled())
        return;
    if (!StoreTypedLevel(Levels, CurrentFactor(), ELevel->text().toStdString())) {
        // The level typed for the current entry could not be kept, so the
        // person stays with it to put it right. A mouse press selects its
        // entry only after making it current, hence the selection is put
        // back once the press is over.
        QTimer::singleShot(0, this, [this] {
            const QSignalBlocker blocker(LBFactors);
            LBFactors->setCurrentRow(Current);
        });
        return;
    }
    Current = row;
    ELevel->setText(QString::fromStdString(LevelText(Levels[Fixed[row]])));
}

void TDiagramStep3::FieldClicked() {
    double level = 0.0;
    if (!CheckReal(ELevel->text().toStdString(), level, LevelFieldName)) {
        ELevel->setFocus();
        ELevel->selectAll();
    }
}

void TDiagramStep3::NormaliseField() {
    if (ELevel->isEnabled())
        ELevel->setText(QString::fromStdString(RealTextOrZero(ELevel->text().toStdString())));
}

std::int32_t TDiagramStep3::CurrentFactor() const {
    return Current >= 0 && static_cast<std::size_t>(Current) < Fixed.size() ? Fixed[Current] : -1;
}

} // namespace orvanta
