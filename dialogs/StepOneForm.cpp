#include "dialogs/StepOneForm.h"

#include "dialogs/NewPlanWizardLogic.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTime>
#include <QVBoxLayout>

namespace orvanta {

namespace {

QRadioButton* Radio(QWidget* parent, const char* name, const QString& text) {
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

} // namespace

TStepOneForm::TStepOneForm(QWidget* parent)
    : TWizardStepForm(TWizardArt::Factorial, false, parent) {
    setObjectName(QStringLiteral("StepOneForm"));
    setWindowTitle(QStringLiteral("Новый план: шаг 1 из 4 (тип плана)"));

    Welcome = new QLabel(this);
    Welcome->setObjectName(QStringLiteral("Welcome"));
    QFont greeting = Welcome->font();
    greeting.setBold(true);
    greeting.setPointSizeF(greeting.pointSizeF() * 1.4);
    Welcome->setFont(greeting);
    Content()->addWidget(Welcome);
    AddText(QStringLiteral("Вас приветствует мастер планирования экспериментов. С его помощью Вы "
                           "сможете выбрать характер размещения экспериментальных точек."));
    AddText(QStringLiteral("Если Вы будете проводить эксперимент, варьируя 2 - 4 фактора, то "
                           "выберите \"Стандартный план\"."));
    AddText(QStringLiteral("Если Вы используете нестандартный спектр или другое число факторов, "
                           "то выберите \"Нестандартный план\"."));

    auto* group = new QGroupBox(QStringLiteral(" Создать план: "), this);
    RBFromGen =
        Radio(group, "RBFromGen", QStringLiteral("Стандартный (полный факторный, композиционный)"));
    RBCustom = Radio(group, "RBCustom", QStringLiteral("Нестандартный план"));
    RBOld = Radio(group, "RBOld", QStringLiteral("Один из встроенных планов"));
    RBFromGen->setChecked(true);
    auto* choices = new QVBoxLayout(group);
    choices->addWidget(RBFromGen);
    choices->addWidget(RBCustom);
    choices->addWidget(RBOld);
    Content()->addWidget(group);
    Content()->addStretch();
}

TPlanSource TStepOneForm::Source() const {
    if (RBCustom->isChecked())
        return TPlanSource::NonStandard;
    if (RBOld->isChecked())
        return TPlanSource::Builtin;
    return TPlanSource::Generator;
}

void TStepOneForm::showEvent(QShowEvent* event) {
    Welcome->setText(QString::fromStdString(WelcomeText(QTime::currentTime().hour())));
    TWizardStepForm::showEvent(event);
    ForwardButton->setFocus();
}

} // namespace orvanta
