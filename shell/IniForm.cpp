#include "shell/IniForm.h"

#include "shell/MainIcons.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace orvanta {

TIniForm::TIniForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("IniForm"));
    // It takes no input, yet is drawn as an ordinary window: a disabled
    // widget would grey out its picture and texts.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    auto* picture = new QLabel(this);
    picture->setPixmap(ProgramPicture(96));
    picture->setAlignment(Qt::AlignCenter);
    auto* name = new QLabel(QStringLiteral("Орванта"), this);
    QFont font = name->font();
    font.setPointSize(font.pointSize() * 2);
    font.setBold(true);
    name->setFont(font);
    name->setAlignment(Qt::AlignCenter);
    auto* subtitle =
        new QLabel(QStringLiteral("Планирование эксперимента и регрессионный анализ"), this);
    subtitle->setAlignment(Qt::AlignCenter);
    StatusLine = new QLabel(this);
    StatusLine->setObjectName(QStringLiteral("StatusLine"));
    StatusLine->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusLine->setMinimumWidth(380);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(name);
    layout->addWidget(subtitle);
    layout->addSpacing(8);
    layout->addWidget(StatusLine);
    adjustSize();
    if (const QScreen* screen = QApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TIniForm::SetStatus(const QString& text) {
    StatusLine->setText(fontMetrics().elidedText(text, Qt::ElideMiddle, StatusLine->width() - 8));
    StatusLine->setToolTip(text);
    repaint();
}

QString TIniForm::Status() const {
    return StatusLine->toolTip();
}

} // namespace orvanta
