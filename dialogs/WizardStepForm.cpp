#include "dialogs/WizardStepForm.h"

#include "dialogs/KeyPreview.h"
#include "dialogs/NewPlanWizardLogic.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvanta {

namespace {

QPushButton* StepButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setMinimumWidth(96);
    return button;
}

} // namespace

TWizardStepForm::TWizardStepForm(TWizardArt art, bool hasBack, QWidget* parent)
    : QDialog(parent), Result(StepCancel) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    Picture = new TWizardPicture(art, this);
    Picture->setObjectName(QStringLiteral("Image"));

    if (hasBack)
        BackButton = StepButton(this, "BackButton", QStringLiteral("<< Назад"));
    ForwardButton = StepButton(this, "ForwardButton", QStringLiteral("Далее >>"));
    ForwardButton->setDefault(true);
    CancelButton = StepButton(this, "CancelButton", QStringLiteral("Отмена"));

    ContentLayout = new QVBoxLayout;
    ContentLayout->setContentsMargins(16, 12, 12, 4);
    ContentLayout->setSpacing(8);
    auto* page = new QHBoxLayout;
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(Picture);
    page->addLayout(ContentLayout, 1);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 4, 12, 12);
    buttons->addStretch();
    if (BackButton)
        buttons->addWidget(BackButton);
    buttons->addWidget(ForwardButton);
    buttons->addSpacing(12);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addLayout(page, 1);
    layout->addWidget(rule);
    layout->addLayout(buttons);
    setMinimumSize(600, 400);

    if (BackButton)
        connect(BackButton, &QPushButton::clicked, this, &TWizardStepForm::GoBack);
    connect(ForwardButton, &QPushButton::clicked, this, &TWizardStepForm::GoForward);
    connect(CancelButton, &QPushButton::clicked, this, [this] { CloseStep(StepCancel); });
    Keys = new TKeyPreview(*this, [this](QKeyEvent& event) { return PreviewKey(event); });
}

TWizardStepForm::~TWizardStepForm() = default;

std::int32_t TWizardStepForm::RunStep() {
    exec();
    return Result;
}

void TWizardStepForm::GoForward() {
    CloseStep(StepForward);
}

void TWizardStepForm::GoBack() {
    CloseStep(StepBack);
}

void TWizardStepForm::EscapeCancel() {
    CloseStep(StepCancel);
}

void TWizardStepForm::CloseStep(std::int32_t result) {
    Result = result;
    done(result == StepForward ? Accepted : Rejected);
}

void TWizardStepForm::SetForwardFinishes(bool finishes) {
    ForwardButton->setText(finishes ? QStringLiteral("Готово") : QStringLiteral("Далее >>"));
}

QLabel* TWizardStepForm::AddText(const QString& text) {
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    ContentLayout->addWidget(label);
    return label;
}

void TWizardStepForm::showEvent(QShowEvent* event) {
    Result = StepCancel;
    Keys->Start();
    QDialog::showEvent(event);
}

void TWizardStepForm::hideEvent(QHideEvent* event) {
    Keys->Stop();
    QDialog::hideEvent(event);
}

void TWizardStepForm::keyPressEvent(QKeyEvent* event) {
    // Esc acts when it goes up (see PreviewKey), not as QDialog's reject.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TWizardStepForm::PreviewKey(QKeyEvent& event) {
    const bool release = event.type() == QEvent::KeyRelease;
    const auto modifiers = event.modifiers();
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    enum class TAction { None, Back, Forward, Cancel } action = TAction::None;
    if (event.key() == Qt::Key_Escape)
        action = TAction::Cancel;
    else if (BackButton && ctrl && TKeyPreview::IsCommaKey(event))
        action = TAction::Back;
    else if ((BackButton ? ctrl : alt) && TKeyPreview::IsPeriodKey(event))
        action = TAction::Forward;
    if (action == TAction::None)
        return false;
    // The press is held back so that the field under the focus does not see
    // it either; the step acts when the key goes up.
    if (!release)
        return true;
    switch (action) {
    case TAction::Cancel:
        EscapeCancel();
        break;
    case TAction::Back:
        GoBack();
        break;
    case TAction::Forward:
        if (ForwardButton->isEnabled())
            GoForward();
        break;
    case TAction::None:
        break;
    }
    return true;
}

} // namespace orvanta
