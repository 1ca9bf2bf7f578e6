// The main window's animation panel, the tool bars' background picture and
// the sound effects that play while the about box is open.
#include "shell/MainForm.h"

#include "shell/AboutBox.h"
#include "shell/Animate.h"
#include "sounds/SoundBox.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QToolBar>

namespace orvanta {

namespace {

constexpr int ClipFrames = 30;
constexpr int PanelSide = 59;

const QString ClipResource = QStringLiteral(":/animation/5100.png");
const QString BackgroundResource = QStringLiteral(":/animation/5110.png");

int ScreenDepth(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 0;
}

} // namespace

void TMainForm::CreateAnimatePanel() {
    // The panel keeps to the right end of the tool bars' row: the last bar
    // of a row takes the row's remaining width, and a spacer fills it.
    AnimateBar = addToolBar(QStringLiteral("AnimateBar"));
    AnimateBar->setObjectName(QStringLiteral("AnimateBar"));
    AnimateBar->setMovable(false);
    AnimateBar->setFloatable(false);
    auto* spacer = new QWidget(AnimateBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    AnimateBar->addWidget(spacer);

    auto* panel = new QFrame(AnimateBar);
    panel->setObjectName(QStringLiteral("AnimatePanel"));
    panel->setFixedSize(PanelSide, PanelSide);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(1, 1, 1, 1);
    ATorus = new TAnimate(panel);
    ATorus->setObjectName(QStringLiteral("ATorus"));
    layout->addWidget(ATorus);
    AnimatePanelAction = AnimateBar->addWidget(panel);
    // A narrow window shortens the tool bars, not the panel.
    AnimateBar->setMinimumWidth(AnimateBar->sizeHint().width());
}

void TMainForm::StartAnimation() {
    ATorus->Open(ClipResource, ClipFrames);
    SetAnimationPanel(ScreenDepth(*this) > 8);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &TMainForm::DisplayChanged);
    if (QScreen* screen = this->screen())
        connect(screen, &QScreen::geometryChanged, this, &TMainForm::DisplayChanged);
}

void TMainForm::StartSounds() {
    // Without an output device the effects stay off for the whole run and
    // nothing of them is kept.
    Sounds = std::make_unique<TSoundBox>();
    if (!Sounds->Enabled())
        Sounds.reset();
}

void TMainForm::DisplayChanged() {
    SetAnimationPanel(ScreenDepth(*this) > 8);
}

void TMainForm::SetAnimationPanel(bool on) {
    AnimatePanelAction->setVisible(on);
    if (on == CoolBarPicture)
        return;
    CoolBarPicture = on;
    // The style draws a tool bar's background from a plain colour, so the
    // picture comes through a style sheet.
    const QString sheet =
        on ? QStringLiteral("QToolBar { background-image: url(%1); border: none; }")
                 .arg(BackgroundResource)
           : QString();
    QToolBar* const bars[] = {ToolBars[0], ToolBars[1], ToolBars[2], AnimateBar};
    for (QToolBar* bar : bars)
        bar->setStyleSheet(sheet);
}

bool TMainForm::AnimationRunning() const {
    return ATorus->Active();
}

void TMainForm::SetAnimation(bool on) {
    ATorus->SetActive(on);
    if (!on && Sounds)
        Sounds->Stop();
}

void TMainForm::HelpAboutItemClick() {
    CreateDialogs();
    SetAnimation(true);
    About->exec();
    SetAnimation(false);
}

void TMainForm::SoundsTick() {
    if (AnimationRunning() && Sounds)
        Sounds->Tick();
}

} // namespace orvanta
