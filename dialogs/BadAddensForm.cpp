#include "dialogs/BadAddensForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvanta {

TBadAddensForm::TBadAddensForm(QWidget* parent) : TSmallDialog(parent) {
    setObjectName(QStringLiteral("BadAddensForm"));
    setWindowTitle(QStringLiteral("Модель определена не полностью"));

    auto* intro = new QLabel(QStringLiteral("Следующим слагаемым не назначены функции:"), this);
    LBBadAddens = new QListWidget(this);
    LBBadAddens->setObjectName(QStringLiteral("LBBadAddens"));
    auto* hint = new QLabel(QStringLiteral("Используйте поле \"Номер слагаемого в модели\" и "
                                           "список \"Назначить функцию\" для определения модели."),
                            this);
    hint->setWordWrap(true);
    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(LBBadAddens, 1);
    layout->addWidget(hint);
    layout->addLayout(buttons);
    setMinimumSize(340, 300);

    connect(OkButton, &QPushButton::clicked, this, &TBadAddensForm::accept);
}

void TBadAddensForm::Run(const std::vector<std::string>& lines) {
    LBBadAddens->clear();
    for (const std::string& line : lines)
        LBBadAddens->addItem(QString::fromStdString(line));
    exec();
}

} // namespace orvanta
