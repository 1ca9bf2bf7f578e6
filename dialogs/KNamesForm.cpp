#include "dialogs/KNamesForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace orvanta {

namespace {

QGroupBox* Group(QWidget* parent, const QString& title, QWidget* content) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(content);
    return group;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

TKNamesForm::TKNamesForm(QWidget* parent) : TSmallDialog(parent) {
    setObjectName(QStringLiteral("KNamesForm"));
    setWindowTitle(QStringLiteral("Имена факторов"));

    LBFactors = new QListWidget(this);
    LBFactors->setObjectName(QStringLiteral("LBFactors"));
    EName = new QLineEdit(this);
    EName->setObjectName(QStringLiteral("EName"));
    OkButton = Button(this, "OkButton", QStringLiteral("Ок"));
    OkButton->setDefault(true);
    UndoButton = Button(this, "UndoButton", QStringLiteral("Вернуть"));
    CancelButton = Button(this, "CancelButton", QStringLiteral("Отмена"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(UndoButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Group(this, QStringLiteral(" Фактор "), LBFactors));
    layout->addWidget(Group(this, QStringLiteral(" Новое имя "), EName));
    layout->addLayout(buttons);

    connect(OkButton, &QPushButton::clicked, this, &TKNamesForm::accept);
    connect(UndoButton, &QPushButton::clicked, this, &TKNamesForm::ResetNames);
    connect(CancelButton, &QPushButton::clicked, this, &TKNamesForm::reject);
    connect(LBFactors, &QListWidget::currentRowChanged, this,
            &TKNamesForm::LBFactorsCurrentRowChanged);
}

std::optional<std::vector<std::string>> TKNamesForm::Run(const std::vector<std::string>& names) {
    Source = names;
    if (exec() != Accepted)
        return std::nullopt;
    // The name still in the field counts as typed.
    StoreName();
    return Names;
}

void TKNamesForm::showEvent(QShowEvent* event) {
    ResetNames();
    TSmallDialog::showEvent(event);
}

void TKNamesForm::ResetNames() {
    Names = Source;
    Current = 0;
    FillList();
    EName->setText(Names.empty() ? QString() : QString::fromStdString(Names.front()));
}

void TKNamesForm::LBFactorsCurrentRowChanged(int row) {
    if (row < 0 || Names.empty())
        return;
    StoreName();
    Current = row;
    EName->setText(QString::fromStdString(Names[static_cast<std::size_t>(Current)]));
    // The list shows the name just stored under its old place.
    FillList();
}

void TKNamesForm::StoreName() {
    if (Current < 0 || static_cast<std::size_t>(Current) >= Names.size())
        return;
    std::string name = EName->text().toStdString();
    if (name.empty())
        name = "Фактор № " + std::to_string(Current + 1);
    Names[static_cast<std::size_t>(Current)] = std::move(name);
}

void TKNamesForm::FillList() {
    const QSignalBlocker quiet(LBFactors);
    LBFactors->clear();
    for (const std::string& name : Names)
        LBFactors->addItem(QString::fromStdString(name));
    if (!Names.empty())
        LBFactors->setCurrentRow(Current);
}

} // namespace orvanta
