#include "dialogs/ExProgress.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orvanta {

namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

bool IsStopKeyPress(const QEvent& event) {
    return event.type() == QEvent::KeyPress &&
           TStopKeys::IsStopKey(static_cast<const QKeyEvent&>(event).key());
}

} // namespace

TExProgress::TExProgress(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExProgress"));
    setWindowTitle(QStringLiteral("Поиск экстремума: метод (неизвестен)"));
    // The main window takes no commands while a search runs.
    setWindowModality(Qt::WindowModal);

    Gauge = new QProgressBar(this);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    Gauge->setRange(0, 100);
    Gauge->setValue(0);
    Edit = new QLineEdit(this);
    Edit->setObjectName(QStringLiteral("Edit"));
    Edit->setReadOnly(true);
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    StopButton = Button(this, "StopButton", QStringLiteral("Остановить"));
    StopButton->setDefault(true);
    CancelButton = Button(this, "CancelButton", QStringLiteral("Отмена"));

    auto* gauge = new QFormLayout;
    gauge->addRow(new QLabel(QStringLiteral("Выполнено:"), this), Gauge);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(StopButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(gauge);
    layout->addWidget(new QLabel(QStringLiteral("Значение в текущей точке:"), this));
    layout->addWidget(Edit);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar);
    setMinimumWidth(380);

    StopButton->installEventFilter(this);
    CancelButton->installEventFilter(this);
    connect(StopButton, &QPushButton::clicked, this, &TExProgress::StopButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TExProgress::CancelButtonClick);
}

TExProgress::~TExProgress() = default;

void TExProgress::ShowStatus(const QString& text) {
    StatusBar->showMessage(text);
    // A status bar's message does not count in its size: without room the
    // stop hint would be cut off mid-word.
    const int margins = layout()->contentsMargins().left() + layout()->contentsMargins().right();
    const int needed = StatusBar->fontMetrics().horizontalAdvance(text) + margins + 24;
    if (minimumWidth() < needed)
        setMinimumWidth(needed);
    if (width() < needed)
        resize(needed, height());
}

void TExProgress::StopButtonClick() {
    Stop = true;
}

void TExProgress::CancelButtonClick() {
    Cancel = true;
}

// Minimising and restoring the window (spontaneous hide and show) is not the
// start or the end of a search: a request made before it stays.
void TExProgress::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        Stop = false;
        Cancel = false;
        Priority.Lower();
    }
    QDialog::showEvent(event);
}

void TExProgress::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        Priority.Restore();
    QDialog::hideEvent(event);
}

void TExProgress::closeEvent(QCloseEvent* event) {
    if (isVisible()) {
        Cancel = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TExProgress::keyPressEvent(QKeyEvent* event) {
    // Held, these keys stop the search through StopKeys(); pressed, they
    // must neither close the window nor press its default button.
    if (TStopKeys::IsStopKey(event->key())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TExProgress::eventFilter(QObject* watched, QEvent* event) {
    // A focused button would take Enter as a click: the Enter still held
    // from the search dialog would then stop the search at once.
    if ((watched == StopButton || watched == CancelButton) && IsStopKeyPress(*event))
        return true;
    return QDialog::eventFilter(watched, event);
}

} // namespace orvanta
