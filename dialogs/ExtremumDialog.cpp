#include "dialogs/ExtremumDialog.h"

#include "dialogs/NamedWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace orvanta {

namespace {

QLineEdit* Edit(QWidget* parent, const QString& name) {
    return Named(new QLineEdit(parent), name);
}

QLabel* Label(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TExtremumDialog::TExtremumDialog(QWidget* parent) : TSmallDialog(parent) {
    setObjectName(QStringLiteral("ExtremumDialog"));
    setWindowTitle(QStringLiteral("Поиск экстремума"));

    QHBoxLayout* buttons = OkCancelRow(QStringLiteral("Поиск"), OkButton, CancelButton);
    auto* fields = new QHBoxLayout;
    fields->addLayout(CreateBoxFields());
    fields->addLayout(CreateSearchFields());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    EStart->installEventFilter(this);
    EEnd->installEventFilter(this);
    LUseLast1->installEventFilter(this);
    LUseLast2->installEventFilter(this);
    connect(LBFactors, &QListWidget::currentRowChanged, this,
            &TExtremumDialog::LBFactorsCurrentRowChanged);
    connect(CBMethod, &QComboBox::currentIndexChanged, this,
            &TExtremumDialog::CBMethodCurrentIndexChanged);
}

// The factors and the bounds of the selected one.
QLayout* TExtremumDialog::CreateBoxFields() {
    LBFactors = Named(new QListWidget(this), QStringLiteral("LBFactors"));
    EStart = Edit(this, QStringLiteral("EStart"));
    EEnd = Edit(this, QStringLiteral("EEnd"));
    auto* layout = new QVBoxLayout;
    layout->addWidget(Label(this, QStringLiteral("Фактор:"), LBFactors));
    layout->addWidget(LBFactors);
    auto* bounds = new QFormLayout;
    bounds->addRow(Label(this, QStringLiteral("Начальное значение:"), EStart), EStart);
    bounds->addRow(Label(this, QStringLiteral("Конечное значение"), EEnd), EEnd);
    layout->addLayout(bounds);
    return layout;
}

// The method, what to look for, the counts and the starting point.
QLayout* TExtremumDialog::CreateSearchFields() {
    CBMethod = Named(new QComboBox(this), QStringLiteral("CBMethod"));
    RGSearch = Named(new QGroupBox(QStringLiteral("Искать:"), this), QStringLiteral("RGSearch"));
    RBMinimum =
        Named(new QRadioButton(QStringLiteral("Минимум"), RGSearch), QStringLiteral("RBMinimum"));
    RBMaximum =
        Named(new QRadioButton(QStringLiteral("Максимум"), RGSearch), QStringLiteral("RBMaximum"));
    RBMinimum->setChecked(true);
    auto* search = new QHBoxLayout(RGSearch);
    search->addWidget(RBMinimum);
    search->addWidget(RBMaximum);
    SESteps = Edit(this, QStringLiteral("SESteps"));
    SEApproximations = Edit(this, QStringLiteral("SEApproximations"));
    CBUseLast = Named(new QCheckBox(QStringLiteral(" Использовать  последний"), this),
                      QStringLiteral("CBUseLast"));
    LUseLast1 = Named(new QLabel(QStringLiteral("найденный экстремум в  каче-"), this),
                      QStringLiteral("LUseLast1"));
    LUseLast2 = Named(new QLabel(QStringLiteral("стве начального приближения"), this),
                      QStringLiteral("LUseLast2"));

    auto* layout = new QVBoxLayout;
    layout->addWidget(Label(this, QStringLiteral("Метод поиска:"), CBMethod));
    layout->addWidget(CBMethod);
    layout->addWidget(RGSearch);
    auto* counts = new QFormLayout;
    counts->addRow(Label(this, QStringLiteral("Шагов разбиения:"), SESteps), SESteps);
    counts->addRow(Label(this, QStringLiteral("Количество приближений:"), SEApproximations),
                   SEApproximations);
    layout->addLayout(counts);
    layout->addWidget(CBUseLast);
    layout->addWidget(LUseLast1);
    layout->addWidget(LUseLast2);
    layout->addStretch();
    return layout;
}

std::optional<TExtremumAnswer> TExtremumDialog::Run(const TExtremumRequest& request) {
    Prepare(request);
    if (exec() != Accepted)
        return std::nullopt;
    return Logic.Answer(TExtremumDialogLogic::MethodAt(CBMethod->currentIndex()),
                        RBMaximum->isChecked(), CBUseLast->isChecked());
}

void TExtremumDialog::Prepare(const TExtremumRequest& request) {
    Logic.Prepare(static_cast<std::int32_t>(request.FactorNames.size()));
    {
        const QSignalBlocker blocker(LBFactors);
        LBFactors->clear();
        for (const std::string& name : request.FactorNames)
            LBFactors->addItem(Text(name));
        LBFactors->setCurrentRow(0);
    }
    ShowBounds();
    {
        const QSignalBlocker blocker(CBMethod);
        CBMethod->clear();
        for (const std::string& name : TExtremumDialogLogic::MethodNames())
            CBMethod->addItem(Text(name));
        CBMethod->setCurrentIndex(0);
    }
    CBMethodCurrentIndexChanged(0);
    SESteps->setText(Text(Logic.StepsText()));
    SEApproximations->setText(Text(Logic.ApproximationsText()));
    CBUseLast->setChecked(request.HasLastExtremum);
    CBUseLast->setEnabled(request.HasLastExtremum);
    LUseLast1->setEnabled(request.HasLastExtremum);
    LUseLast2->setEnabled(request.HasLastExtremum);
}

void TExtremumDialog::showEvent(QShowEvent* event) {
    TSmallDialog::showEvent(event);
    LBFactors->setFocus();
}

void TExtremumDialog::LBFactorsCurrentRowChanged(int row) {
    if (row < 0 || row == Logic.CurrentFactor())
        return;
    Checking = true;
    const TExtremumField refused =
        Logic.SelectFactor(row, EStart->text().toStdString(), EEnd->text().toStdString());
    Checking = false;
    if (refused == TExtremumField::None) {
        ShowBounds();
        return;
    }
    // The list is still busy with the click or key that moved it.
    QTimer::singleShot(0, this, &TExtremumDialog::ShowCurrentFactor);
    FocusField(refused);
}

void TExtremumDialog::ShowCurrentFactor() {
    const QSignalBlocker blocker(LBFactors);
    LBFactors->setCurrentRow(Logic.CurrentFactor());
}

void TExtremumDialog::ShowBounds() {
    EStart->setText(Text(Logic.StartText()));
    EEnd->setText(Text(Logic.EndText()));
}

void TExtremumDialog::CBMethodCurrentIndexChanged(int index) {
    const bool steps = TExtremumDialogLogic::UsesSteps(TExtremumDialogLogic::MethodAt(index));
    SESteps->setEnabled(steps);
    SEApproximations->setEnabled(!steps);
}

QLineEdit* TExtremumDialog::FieldEdit(TExtremumField field) const {
    switch (field) {
    case TExtremumField::Start:
        return EStart;
    case TExtremumField::End:
        return EEnd;
    case TExtremumField::Steps:
        return SESteps;
    case TExtremumField::Approximations:
        return SEApproximations;
    case TExtremumField::None:
        break;
    }
    return nullptr;
}

void TExtremumDialog::FocusField(TExtremumField field) {
    if (QLineEdit* edit = FieldEdit(field)) {
        edit->setFocus();
        edit->selectAll();
    }
}

TExtremumFieldTexts TExtremumDialog::FieldTexts() const {
    return {EStart->text().toStdString(), EEnd->text().toStdString(), SESteps->text().toStdString(),
            SEApproximations->text().toStdString()};
}

void TExtremumDialog::SetFieldTexts(const TExtremumFieldTexts& texts) {
    EStart->setText(Text(texts.Start));
    EEnd->setText(Text(texts.End));
    SESteps->setText(Text(texts.Steps));
    SEApproximations->setText(Text(texts.Approximations));
}

bool TExtremumDialog::Validate() {
    TExtremumFieldTexts texts = FieldTexts();
    Checking = true;
    const TExtremumField refused = Logic.Validate(texts);
    Checking = false;
    SetFieldTexts(texts);
    FocusField(refused);
    return refused == TExtremumField::None;
}

void TExtremumDialog::Restore() {
    TExtremumFieldTexts texts = FieldTexts();
    Logic.Normalise(texts);
    SetFieldTexts(texts);
}

void TExtremumDialog::BoundEditLeft(QLineEdit* edit, const QFocusEvent& event) {
    const auto reason = event.reason();
    const QWidget* next = QApplication::focusWidget();
    if (Checking || !isVisible() || CloseResult() != TCloseResult::None ||
        reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
        next == OkButton || next == CancelButton)
        return;
    const TExtremumField field = edit == EStart ? TExtremumField::Start : TExtremumField::End;
    Checking = true;
    const bool ok = TExtremumDialogLogic::CheckBound(field, edit->text().toStdString());
    Checking = false;
    if (!ok)
        FocusField(field);
}

void TExtremumDialog::LabelClicked() {
    if (CBUseLast->isEnabled())
        CBUseLast->toggle();
}

bool TExtremumDialog::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == EStart || watched == EEnd) && event->type() == QEvent::FocusOut)
        BoundEditLeft(static_cast<QLineEdit*>(watched), *static_cast<QFocusEvent*>(event));
    if ((watched == LUseLast1 || watched == LUseLast2) &&
        event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        LabelClicked();
    return TSmallDialog::eventFilter(watched, event);
}

} // namespace orvanta
