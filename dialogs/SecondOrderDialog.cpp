#include "dialogs/SecondOrderDialog.h"

#include "dialogs/NamedWidget.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvanta {

TSecondOrderDialog::TSecondOrderDialog(QWidget* parent) : TSmallDialog(parent) {
    setObjectName(QStringLiteral("SecondOrderDialog"));
    setWindowTitle(QStringLiteral("Вид плана второго порядка."));

    LMessage =
        Named(new QLabel(QStringLiteral("Выбранный источник данных содержит описание матрицы, "
                                        "которая, вероятно, задает  композици- онный план второго "
                                        "порядка.  Однако  величина звездного плеча плана не "
                                        "позволяет достоверно определить его тип."),
                         this),
              QStringLiteral("LMessage"));
    LMessage->setWordWrap(true);

    RGPlanKind = Named(new QGroupBox(QStringLiteral(" Этот план является: "), this),
                       QStringLiteral("RGPlanKind"));
    RBOrthogonal = Named(new QRadioButton(QStringLiteral("Ортогональным планом"), RGPlanKind),
                         QStringLiteral("RBOrthogonal"));
    RBRotatable = Named(new QRadioButton(QStringLiteral("Ротатабельным планом"), RGPlanKind),
                        QStringLiteral("RBRotatable"));
    RBOrthogonal->setChecked(true);
    auto* kinds = new QVBoxLayout(RGPlanKind);
    kinds->addWidget(RBOrthogonal);
    kinds->addWidget(RBRotatable);

    CBStandardStarArm =
        Named(new QCheckBox(QStringLiteral("Установить стандартное звездное плечо"), this),
              QStringLiteral("CBStandardStarArm"));
    CBStandardStarArm->setChecked(true);

    QHBoxLayout* buttons = OkCancelRow(QStringLiteral("Ok"), OkButton, CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LMessage);
    layout->addWidget(RGPlanKind);
    layout->addWidget(CBStandardStarArm);
    layout->addLayout(buttons);
}

std::optional<TSecondOrderAnswer> TSecondOrderDialog::Run() {
    OkButton->setFocus();
    if (exec() != Accepted)
        return std::nullopt;
    return TSecondOrderAnswer{RBRotatable->isChecked(), CBStandardStarArm->isChecked()};
}

} // namespace orvanta
