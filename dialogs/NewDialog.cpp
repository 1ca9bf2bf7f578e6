#include "dialogs/NewDialog.h"

#include "dialogs/WizardSpinEdit.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvanta {

namespace {

const char* const DegreeField = "Число факторов";

QRadioButton* KindButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

TNewDialog::TNewDialog(QWidget* parent) : TSmallDialog(parent) {
    setObjectName(QStringLiteral("NewDialog"));
    setWindowTitle(QStringLiteral("Создать план"));

    auto* group = new QGroupBox(QStringLiteral("Тип плана"), this);
    FFEButton =
        KindButton(group, "FFEButton", QStringLiteral("План полного факторного эксперимента"));
    CCOButton =
        KindButton(group, "CCOButton", QStringLiteral("Центральный композиционный ортогональный"));
    CCRButton =
        KindButton(group, "CCRButton", QStringLiteral("Центральный композиционный ротатабельный"));
    FFEButton->setChecked(true);
    auto* kinds = new QVBoxLayout(group);
    kinds->addWidget(FFEButton);
    kinds->addWidget(CCOButton);
    kinds->addWidget(CCRButton);

    EDegree = new TWizardSpinEdit(2, 10, 2, this);
    EDegree->setObjectName(QStringLiteral("EDegree"));
    auto* degree = new QFormLayout;
    degree->addRow(QStringLiteral("Количество факторов:"), EDegree);

    OKButton = Button(this, "OKButton", QStringLiteral("OK"));
    OKButton->setDefault(true);
    CancelButton = Button(this, "CancelButton", QStringLiteral("Отмена"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(degree);
    layout->addLayout(buttons);

    // "OK" checks the field itself, "Отмена" needs no valid count.
    EDegree->CheckOnLeave(DegreeField, {OKButton, CancelButton});
    connect(FFEButton, &QRadioButton::clicked, this, [this] { PlanKind = 0; });
    connect(CCOButton, &QRadioButton::clicked, this, [this] { PlanKind = 1; });
    connect(CCRButton, &QRadioButton::clicked, this, [this] { PlanKind = 2; });
    connect(OKButton, &QPushButton::clicked, this, &TNewDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &TNewDialog::reject);
}

std::optional<TBuiltinPlanAnswer> TNewDialog::Run() {
    if (exec() != Accepted)
        return std::nullopt;
    return TBuiltinPlanAnswer{PlanKind, Factors};
}

bool TNewDialog::Validate() {
    if (!EDegree->Check(DegreeField))
        return false;
    Factors = EDegree->ClampedValue();
    return true;
}

void TNewDialog::Restore() {
    EDegree->Clamp();
}

void TNewDialog::showEvent(QShowEvent* event) {
    TSmallDialog::showEvent(event);
    EDegree->setFocus();
    EDegree->selectAll();
}

} // namespace orvanta
