#include "runsheetwindows/RunSheetDialog.h"

#include "runsheet/RunOrder.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace orvanta {

TRunSheetDialog::TRunSheetDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("RunSheetDialog"));
    setWindowTitle(QStringLiteral("Рабочий лист"));
    RandomBox = new QCheckBox(QStringLiteral("Случайный порядок опытов"), this);
    RandomBox->setObjectName(QStringLiteral("RandomBox"));
    RandomBox->setChecked(true);
    SeedEdit = new QSpinBox(this);
    SeedEdit->setObjectName(QStringLiteral("SeedEdit"));
    SeedEdit->setRange(0, std::numeric_limits<int>::max());
    SeedEdit->setValue(static_cast<int>(ClockSeed()));
    NewSeedButton = new QPushButton(QStringLiteral("Новое зерно"), this);
    NewSeedButton->setObjectName(QStringLiteral("NewSeedButton"));
    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Отмена"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* seedLabel = new QLabel(QStringLiteral("&Зерно:"), this);
    seedLabel->setBuddy(SeedEdit);
    auto* seedRow = new QHBoxLayout;
    seedRow->addWidget(seedLabel);
    seedRow->addWidget(SeedEdit, 1);
    seedRow->addWidget(NewSeedButton);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RandomBox);
    layout->addLayout(seedRow);
    layout->addLayout(buttons);

    const auto follow = [this, seedLabel](bool random) {
        seedLabel->setEnabled(random);
        SeedEdit->setEnabled(random);
        NewSeedButton->setEnabled(random);
    };
    connect(RandomBox, &QCheckBox::toggled, this, follow);
    connect(NewSeedButton, &QPushButton::clicked, this, [this] {
        // A new draw always shows a new number.
        const int old = SeedEdit->value();
        int seed = static_cast<int>(ClockSeed());
        while (seed == old)
            seed = static_cast<int>(ClockSeed());
        SeedEdit->setValue(seed);
    });
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<TSheetOrderChoice> TRunSheetDialog::Run() {
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return TSheetOrderChoice{RandomBox->isChecked(), static_cast<std::uint32_t>(SeedEdit->value())};
}

} // namespace orvanta
