#include "shell/QuantilesForm.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstddef>

namespace orvanta {

namespace {

// Eight characters can be typed: the last key is accepted while the field
// holds seven. Pasted text is cut to the same length.
constexpr int MaxInputLength = 8;

std::size_t Index(TQuantilesForm::TInput field) {
    return static_cast<std::size_t>(field);
}

std::size_t Index(TQuantilesForm::TResult field) {
    return static_cast<std::size_t>(field);
}

// The character a key press would type into a field: Backspace as '\b', any
// other printable character as itself (outside ASCII as a stand-in that is
// no digit). Keys that type nothing, and shortcuts, give nullopt.
std::optional<char> TypedCharacter(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Backspace)
        return '\b';
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const QString text = key.text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return std::nullopt;
    const char16_t c = text.at(0).unicode();
    return c < 0x80 ? static_cast<char>(c) : '?';
}

QGroupBox* NewGroup(const QString& title, QWidget* parent, QFormLayout*& inputs,
                    QFormLayout*& results) {
    auto* group = new QGroupBox(title, parent);
    inputs = new QFormLayout;
    results = new QFormLayout;
    auto* layout = new QHBoxLayout(group);
    layout->addLayout(inputs);
    layout->addSpacing(12);
    layout->addLayout(results);
    return group;
}

} // namespace

TQuantilesForm::TQuantilesForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("QuantilesForm"));
    setWindowTitle(QStringLiteral("Квантили распределений"));
    const QString hint = QStringLiteral("Значения квантилей для 95%-ной доверительной вероятности");
    setToolTip(hint);

    CaptionLabel = new QLabel(QStringLiteral("Квантили распределений (p=0.05):"), this);
    CaptionLabel->setObjectName(QStringLiteral("CaptionLabel"));
    CaptionLabel->setToolTip(hint);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CaptionLabel);
    BuildGroups();

    BackButton = new QPushButton(QStringLiteral("Возврат"), this);
    BackButton->setObjectName(QStringLiteral("BackButton"));
    // Enter in a field must not close the window.
    BackButton->setAutoDefault(false);
    connect(BackButton, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BackButton);
    layout->addLayout(buttons);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    layout->addWidget(StatusBar);

    Logic.Recompute(std::nullopt);
    ShowLogic();
}

void TQuantilesForm::BuildGroups() {
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    QFormLayout* inputs = nullptr;
    QFormLayout* results = nullptr;

    layout->addWidget(
        NewGroup(QStringLiteral("Распределение Пирсона (χ²)"), this, inputs, results));
    PirsonF = NewInput(TInput::PirsonF, "PirsonF");
    inputs->addRow(QStringLiteral("Степени свободы f:"), PirsonF);
    PirsonL = NewResult(TResult::PirsonL, "PirsonL");
    PirsonR = NewResult(TResult::PirsonR, "PirsonR");
    results->addRow(QStringLiteral("Верхняя граница χ²:"), PirsonL);
    results->addRow(QStringLiteral("Нижняя граница χ²:"), PirsonR);

    layout->addWidget(NewGroup(QStringLiteral("Распределение Кохрена"), this, inputs, results));
    CohrenN = NewInput(TInput::CohrenN, "CohrenN");
    CohrenD = NewInput(TInput::CohrenD, "CohrenD");
    inputs->addRow(QStringLiteral("Степени свободы f:"), CohrenN);
    inputs->addRow(QStringLiteral("Число дисперсий N:"), CohrenD);
    Cohren = NewResult(TResult::Cohren, "Cohren");
    results->addRow(QStringLiteral("G:"), Cohren);

    layout->addWidget(NewGroup(QStringLiteral("Распределение Стьюдента"), this, inputs, results));
    StudentF = NewInput(TInput::StudentF, "StudentF");
    inputs->addRow(QStringLiteral("Степени свободы f:"), StudentF);
    Student = NewResult(TResult::Student, "Student");
    results->addRow(QStringLiteral("t:"), Student);

    layout->addWidget(NewGroup(QStringLiteral("Распределение Фишера"), this, inputs, results));
    FisherN = NewInput(TInput::FisherN, "FisherN");
    FisherD = NewInput(TInput::FisherD, "FisherD");
    inputs->addRow(QStringLiteral("Числитель f1:"), FisherN);
    inputs->addRow(QStringLiteral("Знаменатель f2:"), FisherD);
    Fisher = NewResult(TResult::Fisher, "Fisher");
    results->addRow(QStringLiteral("F:"), Fisher);
}

QLineEdit* TQuantilesForm::NewInput(TInput field, const char* name) {
    auto* edit = new QLineEdit(QString::fromStdString(Logic.Input(field)), this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaximumWidth(90);
    edit->setMaxLength(MaxInputLength);
    // Keys are refused by the filter below; the validator refuses what
    // arrives otherwise (paste, drop, input methods).
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this, field] { InputChanged(field); });
    Inputs[Index(field)] = edit;
    return edit;
}

QLineEdit* TQuantilesForm::NewResult(TResult field, const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setMaximumWidth(110);
    // Reachable by the mouse for copying, but Tab runs through the inputs only.
    edit->setFocusPolicy(Qt::ClickFocus);
    Results[Index(field)] = edit;
    return edit;
}

QLineEdit* TQuantilesForm::Edit(TInput field) const {
    return Inputs[Index(field)];
}

QLineEdit* TQuantilesForm::Edit(TResult field) const {
    return Results[Index(field)];
}

void TQuantilesForm::ShowField(TInput field) {
    if (isMinimized())
        showNormal();
    else if (isHidden())
        show();
    raise();
    activateWindow();
    // The text is selected, so that typing replaces it. A window that turns
    // active drops the selection of a field that has no focus yet, so the
    // selection is made again once the focus has arrived.
    QLineEdit* edit = Edit(field);
    SelectOnFocus = edit;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    if (edit->hasFocus())
        SelectOnFocus = nullptr;
}

bool TQuantilesForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && watched == SelectOnFocus) {
        SelectOnFocus = nullptr;
        QTimer::singleShot(0, static_cast<QLineEdit*>(watched), &QLineEdit::selectAll);
    } else if (event->type() == QEvent::KeyPress) {
        const auto input = std::find(Inputs.begin(), Inputs.end(), watched);
        if (input != Inputs.end()) {
            const auto field = static_cast<TInput>(input - Inputs.begin());
            const std::optional<char> typed = TypedCharacter(*static_cast<QKeyEvent*>(event));
            if (typed && !Logic.AcceptsKey(field, *typed))
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TQuantilesForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Logic.Recompute(FocusedInput());
        ShowLogic();
    }
}

void TQuantilesForm::InputChanged(TInput field) {
    if (Showing)
        return;
    Logic.SetInput(field, Edit(field)->text().toStdString(), FocusedInput());
    ShowLogic();
}

std::optional<TQuantilesForm::TInput> TQuantilesForm::FocusedInput() const {
    // The window's own focus child, which it keeps while inactive.
    const QWidget* focused = focusWidget();
    const auto input = std::find(Inputs.begin(), Inputs.end(), focused);
    if (focused == nullptr || input == Inputs.end())
        return std::nullopt;
    return static_cast<TInput>(input - Inputs.begin());
}

void TQuantilesForm::ShowLogic() {
    Showing = true;
    for (std::size_t i = 0; i < Inputs.size(); ++i) {
        const QString text = QString::fromStdString(Logic.Input(static_cast<TInput>(i)));
        if (Inputs[i]->text() != text)
            Inputs[i]->setText(text);
    }
    for (std::size_t i = 0; i < Results.size(); ++i)
        Results[i]->setText(QString::fromStdString(Logic.Result(static_cast<TResult>(i))));
    const QString status = QString::fromStdString(Logic.StatusText());
    if (status.isEmpty())
        StatusBar->clearMessage();
    else
        StatusBar->showMessage(status);
    Showing = false;
}

} // namespace orvanta
