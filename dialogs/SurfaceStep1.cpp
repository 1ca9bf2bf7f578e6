#include "dialogs/SurfaceStep1.h"

#include "dialogs/DiagramStep3.h"
#include "dialogs/SurfaceWizardLogic.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace orvanta {

namespace {

QListWidget* FactorList(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

TSurfaceStep1::TSurfaceStep1(QWidget* parent) : TWizardTemplateForm(parent) {
    setObjectName(QStringLiteral("SurfaceStep1"));
    setWindowTitle(QStringLiteral("Подготовка данных для пространственного графика: шаг 1 из 3"));
    BackwardButton->hide();
    ShowCurvePicture();

    auto* text = new QLabel(QStringLiteral("В пространстве можно представить изменение отклика в "
                                           "зависимости от изменения двух факторов."),
                            TextPanel);
    text->setWordWrap(true);
    // The caption is about as wide as the page: it stands inside the group,
    // wrapped, rather than being cut off in the frame.
    auto* group = new QGroupBox(TextPanel);
    auto* caption =
        new QLabel(QStringLiteral(" Представить зависимость отклика от факторов: "), group);
    caption->setWordWrap(true);
    LBFirstFactor = FactorList("LBFirstFactor", group);
    LBSecondFactor = FactorList("LBSecondFactor", group);
    auto* groupLayout = new QGridLayout(group);
    groupLayout->addWidget(caption, 0, 0, 1, 2);
    groupLayout->addWidget(new QLabel(QStringLiteral("1:"), group), 1, 0);
    groupLayout->addWidget(new QLabel(QStringLiteral("2:"), group), 1, 1);
    groupLayout->addWidget(LBFirstFactor, 2, 0);
    groupLayout->addWidget(LBSecondFactor, 2, 1);

    auto* layout = new QVBoxLayout(TextPanel);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->addWidget(text);
    layout->addWidget(group, 1);

    connect(LBFirstFactor, &QListWidget::currentRowChanged, this, &TSurfaceStep1::FirstChosen);
    connect(LBSecondFactor, &QListWidget::currentRowChanged, this, &TSurfaceStep1::SecondChosen);
}

void TSurfaceStep1::SetFactorNames(const std::vector<std::string>& names) {
    FactorNames = names;
}

bool TSurfaceStep1::PageForward() {
    // A plan with fewer than two factors has no surface to draw.
    if (!PairChosen())
        return false;
    if (LevelsPage) {
        LevelsPage->FirstExcluded = FirstFactor;
        LevelsPage->SecondExcluded = SecondFactor;
    }
    return true;
}

bool TSurfaceStep1::CloseQuery(int result) {
    return result != PageForwardResult || PairChosen();
}

void TSurfaceStep1::showEvent(QShowEvent* event) {
    FirstFactor = 0;
    SecondFactor = 1;
    Fill(LBFirstFactor, SecondFactor, FirstFactor);
    Fill(LBSecondFactor, FirstFactor, SecondFactor);
    LBFirstFactor->setFocus();
    TWizardTemplateForm::showEvent(event);
}

void TSurfaceStep1::FirstChosen() {
    const TFactorPair pair = FirstListChosen(
        {FirstFactor, SecondFactor}, LBFirstFactor->currentRow(), LBSecondFactor->currentRow());
    FirstFactor = pair.First;
    SecondFactor = pair.Second;
    Fill(LBSecondFactor, FirstFactor, SecondFactor);
}

void TSurfaceStep1::SecondChosen() {
    const TFactorPair pair = SecondListChosen(
        {FirstFactor, SecondFactor}, LBFirstFactor->currentRow(), LBSecondFactor->currentRow());
    FirstFactor = pair.First;
    SecondFactor = pair.Second;
    Fill(LBFirstFactor, SecondFactor, FirstFactor);
}

void TSurfaceStep1::Fill(QListWidget* list, std::int32_t excluded, std::int32_t factor) {
    // Refilling is not a choice: it must not move the other list in turn.
    const QSignalBlocker blocker(list);
    list->clear();
    for (const std::string& name : NamesWithout(FactorNames, excluded))
        list->addItem(QString::fromStdString(name));
    const std::int32_t row = PositionOfFactor(factor, excluded);
    if (row >= 0 && row < list->count())
        list->setCurrentRow(row);
}

bool TSurfaceStep1::PairChosen() const {
    return ValidPair({FirstFactor, SecondFactor}, static_cast<std::int32_t>(FactorNames.size()));
}

} // namespace orvanta
