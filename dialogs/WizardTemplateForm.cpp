#include "dialogs/WizardTemplateForm.h"

#include "dialogs/KeyPreview.h"
#include "dialogs/WizardPicture.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace orvanta {

namespace {

QPushButton* PageButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QFrame* Panel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

} // namespace

TWizardTemplateForm::TWizardTemplateForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WizardTemplateForm"));
    // A page has a title but no caption buttons: it closes through its own.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(480, 300);

    ImgPanel = Panel(this, "ImgPanel");
    ImgPanel->setFrameShape(QFrame::StyledPanel);
    ImgPanel->setFixedWidth(140);
    Image = new QLabel(ImgPanel);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setAlignment(Qt::AlignCenter);
    auto* imageLayout = new QVBoxLayout(ImgPanel);
    imageLayout->setContentsMargins(0, 0, 0, 0);
    imageLayout->addWidget(Image);
    TextPanel = Panel(this, "TextPanel");

    BackwardButton = PageButton(this, "BackwardButton", QStringLiteral("<< Назад"));
    ForwardButton = PageButton(this, "ForwardButton", QStringLiteral("Далее >>"));
    ForwardButton->setDefault(true);
    CancelButton = PageButton(this, "CancelButton", QStringLiteral("Отмена"));

    auto* page = new QHBoxLayout;
    page->addWidget(ImgPanel);
    page->addWidget(TextPanel, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BackwardButton);
    buttons->addWidget(ForwardButton);
    buttons->addSpacing(8);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(page, 1);
    layout->addLayout(buttons);

    connect(BackwardButton, &QPushButton::clicked, this, [this] {
        PageBack();
        ClosePage(PageBackResult);
    });
    connect(ForwardButton, &QPushButton::clicked, this, [this] {
        PageForward();
        ClosePage(PageForwardResult);
    });
    connect(CancelButton, &QPushButton::clicked, this, &TWizardTemplateForm::reject);
    Keys = new TKeyPreview(*this, [this](QKeyEvent& event) { return PreviewKey(event); });
}

TWizardTemplateForm::~TWizardTemplateForm() = default;

void TWizardTemplateForm::reject() {
    ClosePage(PageCancelResult);
}

bool TWizardTemplateForm::CloseQuery(int) {
    return true;
}

void TWizardTemplateForm::ClosePage(int result) {
    if (CloseQuery(result))
        done(result);
}

void TWizardTemplateForm::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Keys->Start();
    QDialog::showEvent(event);
}

void TWizardTemplateForm::hideEvent(QHideEvent* event) {
    Keys->Stop();
    QDialog::hideEvent(event);
}

bool TWizardTemplateForm::PreviewKey(QKeyEvent& event) {
    if (!event.modifiers().testFlag(Qt::ControlModifier))
        return false;
    const bool back = TKeyPreview::IsCommaKey(event);
    if (!back && !TKeyPreview::IsPeriodKey(event))
        return false;
    if (event.type() != QEvent::KeyRelease)
        return true;
    if (back ? PageBack() : PageForward())
        ClosePage(back ? PageBackResult : PageForwardResult);
    return true;
}

void TWizardTemplateForm::ShowCurvePicture() {
    TWizardPicture picture(TWizardArt::Curve);
    picture.resize(136, 240);
    Image->setPixmap(picture.grab());
}

QLabel* WrappedText(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace orvanta
