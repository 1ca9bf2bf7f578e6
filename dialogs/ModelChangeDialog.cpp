#include "dialogs/ModelChangeDialog.h"

#include "dialogs/NamedWidget.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvanta {

namespace {

const auto StartCaption = QStringLiteral("Некоторые коэффициенты статистически незначимы");

} // namespace

TModelChangeDialog::TModelChangeDialog(QWidget* parent) : TSmallDialog(parent) {
    setObjectName(QStringLiteral("ModelChangeDialog"));
    setWindowTitle(StartCaption);

    RGModelChange =
        Named(new QGroupBox(QStringLiteral("Следует:"), this), QStringLiteral("RGModelChange"));
    RBIgnore = Named(new QRadioButton(QStringLiteral("Игнорировать незначимость"), RGModelChange),
                     QStringLiteral("RBIgnore"));
    RBZero =
        Named(new QRadioButton(QStringLiteral("Обнулить незначимые коэффициенты"), RGModelChange),
              QStringLiteral("RBZero"));
    RBRecompute =
        Named(new QRadioButton(QStringLiteral("Пересчитать значимые коэффициенты"), RGModelChange),
              QStringLiteral("RBRecompute"));
    RBZero->setChecked(true);
    auto* choices = new QVBoxLayout(RGModelChange);
    choices->addWidget(RBIgnore);
    choices->addWidget(RBZero);
    choices->addWidget(RBRecompute);

    QHBoxLayout* buttons = OkCancelRow(QStringLiteral("Ok"), OkButton, CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RGModelChange);
    layout->addLayout(buttons);
}

std::optional<TModelChange> TModelChangeDialog::Run(const TModelChangeRequest& request) {
    setWindowTitle(request.Caption.empty() ? StartCaption
                                           : QString::fromStdString(request.Caption));
    // With nothing significant there is nothing to zero or refit.
    ButtonOf(request.AllInsignificant ? TModelChange::Ignore : request.Preselected)
        ->setChecked(true);
    RGModelChange->setEnabled(!request.AllInsignificant);
    OkButton->setFocus();
    if (exec() != Accepted)
        return std::nullopt;
    return Chosen();
}

QRadioButton* TModelChangeDialog::ButtonOf(TModelChange change) const {
    switch (change) {
    case TModelChange::Ignore:
        return RBIgnore;
    case TModelChange::ZeroInsignificant:
        return RBZero;
    case TModelChange::RecomputeSignificant:
        break;
    }
    return RBRecompute;
}

TModelChange TModelChangeDialog::Chosen() const {
    if (RBIgnore->isChecked())
        return TModelChange::Ignore;
    if (RBZero->isChecked())
        return TModelChange::ZeroInsignificant;
    return TModelChange::RecomputeSignificant;
}

} // namespace orvanta
