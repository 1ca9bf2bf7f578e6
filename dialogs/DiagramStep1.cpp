#include "dialogs/DiagramStep1.h"

#include "dialogs/DiagramStep3.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvanta {

TDiagramStep1::TDiagramStep1(QWidget* parent) : TWizardTemplateForm(parent) {
    setObjectName(QStringLiteral("DiagramStep1"));
    setWindowTitle(QStringLiteral("Подготовка данных для графика: шаг 1 из 3"));
    BackwardButton->hide();
    ShowCurvePicture();

    auto* text = new QLabel(QStringLiteral("На  плоскости  можно  представить  изменение  отклика "
                                           "только в зависимости от изменения одного из "
                                           "факторов."),
                            TextPanel);
    text->setWordWrap(true);
    // The group's caption is longer than the page is wide: it stands inside
    // the group, wrapped, instead of being cut off in the frame.
    auto* group = new QGroupBox(TextPanel);
    auto* caption =
        new QLabel(QStringLiteral("Требуется представить зависимость отклика от фактора: "), group);
    caption->setWordWrap(true);
    LBFactors = new QListWidget(group);
    LBFactors->setObjectName(QStringLiteral("LBFactors"));
    LBFactors->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(caption);
    groupLayout->addWidget(LBFactors);

    auto* layout = new QVBoxLayout(TextPanel);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->addWidget(text);
    layout->addWidget(group, 1);
}

void TDiagramStep1::SetFactorNames(const std::vector<std::string>& names) {
    FactorNames = names;
}

bool TDiagramStep1::PageForward() {
    // A plan without factors has nothing to draw against.
    const int row = LBFactors->currentRow();
    if (row < 0)
        return false;
    if (LevelsPage) {
        LevelsPage->FirstExcluded = row;
        LevelsPage->SecondExcluded = -1;
    }
    return true;
}

bool TDiagramStep1::CloseQuery(int result) {
    return result != PageForwardResult || LBFactors->currentRow() >= 0;
}

void TDiagramStep1::showEvent(QShowEvent* event) {
    LBFactors->clear();
    for (const std::string& name : FactorNames)
        LBFactors->addItem(QString::fromStdString(name));
    if (LBFactors->count() > 0)
        LBFactors->setCurrentRow(0);
    LBFactors->setFocus();
    TWizardTemplateForm::showEvent(event);
}

} // namespace orvanta
