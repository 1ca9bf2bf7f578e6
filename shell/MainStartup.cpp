// The main window's start-up, clock, saved layout and closing.
#include "shell/MainForm.h"

#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/MathDefinition.h"
#include "services/PlanService.h"
#include "services/PlugIns.h"
#include "services/SettingsFile.h"
#include "shell/IniForm.h"
#include "shell/QtPlanHost.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QTime>
#include <QTimer>

namespace orvanta {

namespace {

// The user's time format without the time zone (the panel is narrow).
QString TimeText(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return locale.toString(QTime::currentTime(), format.trimmed());
}

} // namespace

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!ShownOnce)
        FormShow();
}

void TMainForm::FormShow() {
    ShownOnce = true;
    CheckPointToFrontRequest = false;
    CreateDialogs();
    StartAnimation();
    StartSounds();
    LoadPlugInsMenu();
    LoadModules();
    const QString oneAndTenth = QLocale().toString(1.1);
    SetDecimalSeparator(oneAndTenth.size() > 1 && oneAndTenth.at(1) == QLatin1Char(',') ? ','
                                                                                        : '.');
    RefreshCommands();
    StartupPending = true;
    ClockTimer->start(TStatusClock::FirstIntervalMs);
}

void TMainForm::SplashStatus(const std::string& text) {
    if (Splash)
        Splash->SetStatus(QString::fromStdString(text));
}

void TMainForm::LoadPlugInsMenu() {
    QMenu* menu = Menus[TMenuId::PlugIns];
    const auto status = [this](const std::string& text) { SplashStatus(text); };
    if (PlugInHost->LoadFolder(Options.ProgramFolder + "/PlugIns", status) == 0) {
        menu->setEnabled(false);
        return;
    }
    for (std::int32_t i = 0; i < PlugInHost->ToolCount(); ++i) {
        auto* item = new QAction(QString::fromStdString(PlugInHost->ToolName(i)), this);
        item->setObjectName(QStringLiteral("PlugInItem%1").arg(i));
        connect(item, &QAction::triggered, this, [this, i] { PlugInHost->RunTool(i); });
        PlugInItems.push_back(item);
        menu->addAction(item);
    }
}

void TMainForm::LoadModules() {
    const auto status = [this](const std::string& text) { SplashStatus(text); };
    MathDefinition->LoadFolder(Options.ProgramFolder + "/Models", status);
    Plan().SetMathCatalog(MathDefinition.get());
    Choices = CheckLoadedModules(*MathDefinition);
    PlanHost->RestrictWizard(Choices);
}

void TMainForm::ClockTimerTimer() {
    if (StartupPending)
        FinishStartup();
    if (ClockTimer->interval() < TStatusClock::IntervalMs)
        ClockTimer->setInterval(TStatusClock::IntervalMs);
    if (Clock.ShouldClear(Options.Ticks())) {
        Plan().StatusText.clear();
        Panels[0]->setText(QString::fromStdString(Plan().StatusText));
    }
    if (CheckPointToFrontRequest) {
        CheckPointToFrontRequest = false;
        PlanHost->BringCheckPointForward();
    }
    SoundsTick();
    UpdateClockPanels();
}

void TMainForm::UpdateClockPanels() {
    const QLocale locale;
    Panels[1]->setText(TimeText(locale));
    Panels[2]->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
}

void TMainForm::FinishStartup() {
    if (Splash) {
        Splash->close();
        Splash = nullptr;
    }
    StartupPending = false;
    RestoreLayout();
    OpenCommandLinePlan();
}

QRect TMainForm::FirstStartGeometry() const {
    const QScreen* where = screen();
    if (!where)
        return geometry();
    const QRect available = where->availableGeometry();
    QRect rect(QPoint(), available.size() * 4 / 5);
    rect.moveCenter(available.center());
    return rect;
}

void TMainForm::RestoreLayout() {
    const TSettings& s = Settings();
    // The normal geometry is set whatever the state, so a session started
    // maximised still returns to it and stores it again. It is the
    // frame-less geometry, as StoreLayout takes it, so the window does not
    // creep by its frame from one session to the next.
    setGeometry(StoredLayout ? QRect(s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight)
                             : FirstStartGeometry());
    if (s.WindowState == 1)
        showMinimized();
    else if (s.WindowState == 2)
        showMaximized();
    else
        showNormal();
    s.ToolbarVisible ? ShowToolBar() : HideToolBar();
    s.StatusBarVisible ? ShowStatusBar() : HideStatusBar();
    s.MenuBarVisible ? ShowMenuBar() : HideMenuBar();
    findChild<QAction*>(QStringLiteral("FullScreenItem"))->setChecked(s.FullScreen);
    if (s.FullScreen)
        SetFullScreen(true);
}

void TMainForm::OpenCommandLinePlan() {
    if (Options.Arguments.size() != 1)
        return;
    const QString name = Options.Arguments.front();
    if (QFileInfo(name).isFile()) {
        PlanService->OpenPlan(name.toStdString());
        ArrangePlanWindows(true);
    } else {
        ShowWarning("Файл не \"" + name.toStdString() + "\" найден.");
    }
}

void TMainForm::StoreLayout() {
    TSettings& s = Settings();
    s.WindowState = isMinimized() ? 1 : (isMaximized() || isFullScreen()) ? 2 : 0;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    s.WindowLeft = normal.x();
    s.WindowTop = normal.y();
    s.WindowWidth = normal.width();
    s.WindowHeight = normal.height();
    s.ToolbarVisible = Bars().ToolBarVisible;
    s.StatusBarVisible = Bars().StatusBarVisible;
    s.MenuBarVisible = Bars().MenuAttached;
    s.FullScreen = isFullScreen();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (PlanService->Can(4) && !PlanService->ClosePlan()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace orvanta
