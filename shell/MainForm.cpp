#include "shell/MainForm.h"

#include "mteditor/MTEditForm.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/MathDefinition.h"
#include "services/PlanService.h"
#include "services/PlugIns.h"
#include "services/ProgramFolder.h"
#include "services/SettingsFile.h"
#include "services/StatisticsSettingsFile.h"
#include "shell/AboutBox.h"
#include "shell/Animate.h"
#include "shell/EvaluationWindow.h"
#include "shell/FormList.h"
#include "shell/GraphWindows.h"
#include "shell/HelpWindow.h"
#include "shell/MainIcons.h"
#include "shell/MainTitle.h"
#include "shell/MdiChildGuard.h"
#include "shell/OptionsForm.h"
#include "shell/PlanWindows.h"
#include "shell/PlotWindows.h"
#include "shell/QtPlanHost.h"
#include "shell/QuantilesForm.h"
#include "shell/StatisticsWindow.h"
#include "shell/WindowListHandler.h"
#include "sounds/SoundBox.h"
#include "stats/StatisticsReport.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace orvanta {

namespace {

const char* const BarNames[3] = {"StartToolBar", "AnalisysToolBar", "ResultsToolBar"};
const int BarWidths[3] = {219, 151, 314};

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

TMainForm::TMainForm(TMainFormOptions options) : Options(std::move(options)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Орванта"));
    // Every window of the program, the plan's windows among them, wears the
    // program's picture.
    QApplication::setWindowIcon(QIcon(ProgramPicture(64)));
    if (Options.ProgramFolder.empty())
        Options.ProgramFolder = ProgramFolder();
    if (!Options.Ticks)
        Options.Ticks = MonotonicTicks;

    Mdi = new QMdiArea(this);
    Mdi->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(Mdi);
    connect(Mdi, &QMdiArea::subWindowActivated, this, &TMainForm::ChildActivated);
    ChildGuard = new TMdiChildGuard(*Mdi, [this] { RefreshCommands(); });

    PlanHost = std::make_unique<TQtPlanHost>(*this);
    PlanObject = std::make_unique<TRaruRuro>(*PlanHost);
    PlanService = std::make_unique<TPlanService>(*PlanObject);
    PlugInHost = std::make_unique<TPlugIns>(PlanService->Server());
    MathDefinition = std::make_unique<TMathDefinition>();
    PlanHost->CreateWindows();

    CreateActions();
    CreateMenus();
    CreateToolBars();
    CreateAnimatePanel();
    CreateStatusBar();
    CreateViewPopup();
    // The tool bars appear with the saved layout on the first clock tick.
    for (QToolBar* bar : ToolBars)
        bar->hide();
    AnimateBar->hide();

    ClockTimer = new QTimer(this);
    ClockTimer->setObjectName(QStringLiteral("ClockTimer"));
    connect(ClockTimer, &QTimer::timeout, this, &TMainForm::ClockTimerTimer);
    resize(Settings().WindowWidth, Settings().WindowHeight);
}

TMainForm::~TMainForm() {
    ClockTimer->stop();
    ChildGuard->StateChanged = nullptr;
    // Windows closed from here on (the check point's editor among them) must
    // not reach the half-destroyed window through the area's activation.
    Mdi->disconnect(this);
    // The settings go to their file with the window as it is now, however
    // the program ends.
    StoreLayout();
    if (Options.WriteSettingsAtExit) {
        SaveSettings(Settings(), SettingsPath());
        SaveStatisticsSettings(Settings(), StatisticsSettingsPath());
    }
    for (QAction* item : PlugInItems) {
        Menus[TMenuId::PlugIns]->removeAction(item);
        delete item;
    }
    PlugInItems.clear();
    PlugInHost.reset();
    // The plan's windows go before the plan whose data they show.
    PlanHost->Windows().CloseAll();
    PlanHost->Graphs().CloseAll();
    PlanHost->Statistics().Close();
    PlanHost->Evaluation().Close();
    PlanHost->Plots().CloseAll();
    MathDefinition.reset();
    PlanService.reset();
    PlanObject.reset();
    SetAnimation(false);
    Sounds.reset();
    CallHelp(THelpCommand::Quit);
}

void TMainForm::CreateDialogs() {
    if (DialogsCreated)
        return;
    DialogsCreated = true;
    // The dialogs come in the order the rest of the program expects: the
    // window lists, the stored settings (read where the options dialog
    // comes), the quantile window, the about box, the input dialogs.
    // The report's sections of the model statistics, each behind its option.
    InstallStatisticsReport();
    if (Options.ReadSettingsFile) {
        const QString path = QString::fromStdString(SettingsPath());
        const bool existed = QFileInfo::exists(path);
        LoadSettings(Settings(), path.toStdString());
        LoadStatisticsSettings(Settings(), StatisticsSettingsPath());
        // A damaged file is gone after the load and left the defaults.
        StoredLayout = existed && QFileInfo::exists(path);
    }
    OptionsDialog = new TOptionsForm(this);
    OptionsDialog->OnAccepted = [this] { OptionsAccepted(); };
    BarsLogic.SetAllowNoBars(Settings().AllowNoBars);
    PlanHost->WindowLists().ApplyOptions();
    PlanHost->CreatePlanDialogs();
    Quantiles = new TQuantilesForm(this);
    About = new TAboutBox(this);
    PlanHost->CreateInputDialogs();
}

QAction* TMainForm::MakeAction(const char* name, const QString& caption) {
    auto* action = new QAction(caption, this);
    action->setObjectName(Text(name));
    // Shortcuts stay alive while the menu bar is hidden.
    addAction(action);
    return action;
}

void TMainForm::CreateActions() {
    for (const TCommandInfo& command : CommandTable()) {
        QAction* item = MakeAction(command.Item, Text(command.Caption));
        if (*command.Shortcut)
            item->setShortcut(QKeySequence(Text(command.Shortcut)));
        item->setCheckable(command.Checkable);
        connect(item, &QAction::triggered, this, [this, &command] { RunCommand(command); });
        Items.emplace_back(&command, item);
        if (command.Button) {
            QAction* button = new QAction(Text(command.ButtonCaption), this);
            button->setObjectName(Text(command.Button));
            button->setToolTip(Text(command.Hint));
            button->setStatusTip(Text(command.Hint));
            button->setIcon(CommandIcon(command.Button));
            connect(button, &QAction::triggered, this, [this, &command] { RunCommand(command); });
            Buttons.emplace_back(&command, button);
        }
    }
    for (const char* name : {"ShowMenuItem", "ShowToolBarItem", "ShowStatusBarItem"})
        findChild<QAction*>(Text(name))->setChecked(true);
}

void TMainForm::CreateMenus() {
    for (const TMenuInfo& info : MenuTable()) {
        QMenu* menu = menuBar()->addMenu(Text(info.Caption));
        menu->setObjectName(Text(info.Name));
        Menus[info.Menu] = menu;
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { MenuAboutToShow(menu); });
    }
    for (auto& [command, item] : Items) {
        QMenu* menu = Menus[command->Menu];
        if (command->SeparatorBefore)
            menu->addSeparator();
        menu->addAction(item);
    }
    WindowListSeparator = Menus[TMenuId::Form]->addSeparator();
    WindowListSeparator->setVisible(false);
}

void TMainForm::CreateToolBars() {
    const TBarId bars[3] = {TBarId::Start, TBarId::Analysis, TBarId::Results};
    for (int i = 0; i < 3; ++i) {
        QToolBar* bar = addToolBar(Text(BarNames[i]));
        bar->setObjectName(Text(BarNames[i]));
        bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        bar->setIconSize(QSize(32, 32));
        bar->setMinimumWidth(50);
        for (auto& [command, button] : Buttons)
            if (command->Bar == bars[i]) {
                bar->addAction(button);
                // The hint is asked of the button under the mouse, so the
                // button is where the "show hints" option can hold it back.
                bar->widgetForAction(button)->installEventFilter(this);
            }
        ToolBars[i] = bar;
    }
}

void TMainForm::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setToolTip(QStringLiteral("Строка состояния"));
    bar->setSizeGripEnabled(false);
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(bar, &QWidget::customContextMenuRequested, this,
            [this, bar](const QPoint& at) { ViewPopup->popup(bar->mapToGlobal(at)); });
    const int widths[3] = {0, 60, 100};
    for (int i = 0; i < 3; ++i) {
        Panels[i] = new QLabel(this);
        Panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        if (i == 0) {
            bar->addWidget(Panels[i], 1);
        } else {
            Panels[i]->setAlignment(Qt::AlignCenter);
            Panels[i]->setFixedWidth(widths[i]);
            bar->addPermanentWidget(Panels[i]);
        }
    }
    Panels[1]->setText(QStringLiteral("00-00-00"));
}

void TMainForm::CreateViewPopup() {
    ViewPopup = new QMenu(this);
    ViewPopup->setObjectName(QStringLiteral("ViewPopup"));
    const std::tuple<const char*, const char*, void (TMainForm::*)()> twins[] = {
        {"ShowMenuItemP", "Меню", &TMainForm::ShowMenuItemClick},
        {"ShowToolBarItemP", "Панель инструментов", &TMainForm::ShowToolBarItemClick},
        {"ShowStatusBarItemP", "Строка состояния", &TMainForm::ShowStatusBarItemClick},
        {"UnbreakBandsP", "Собрать панели", &TMainForm::UnbreakBands},
    };
    for (const auto& [name, caption, handler] : twins) {
        QAction* action = new QAction(Text(caption), this);
        action->setObjectName(Text(name));
        if (handler == &TMainForm::UnbreakBands) {
            ViewPopup->addSeparator();
        } else {
            action->setCheckable(true);
            action->setChecked(true);
        }
        connect(action, &QAction::triggered, this, handler);
        ViewPopup->addAction(action);
    }
    // The empty client area is part of the window too; a child window
    // under the mouse keeps its own menu.
    Mdi->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Mdi, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!Mdi->viewport()->childAt(at))
            ViewPopup->popup(Mdi->viewport()->mapToGlobal(at));
    });
}

QMenu* TMainForm::createPopupMenu() {
    // The tool bars' context menu is the window's ViewPopup; the caller
    // deletes the menu it gets, not the actions.
    auto* menu = new QMenu(this);
    menu->addActions(ViewPopup->actions());
    return menu;
}

void TMainForm::RunCommand(const TCommandInfo& command) {
    if (command.Operation) {
        if (PlanService->Can(command.Action))
            (PlanService.get()->*command.Operation)();
        return;
    }
    (this->*command.Handler)();
}

void TMainForm::MenuAboutToShow(QMenu* menu) {
    if (menu == Menus[TMenuId::Form]) {
        RefreshCommands();
        RefreshWindowMenu();
    }
    if (menu == Menus[TMenuId::PlugIns]) {
        for (std::size_t i = 0; i < PlugInItems.size(); ++i)
            PlugInItems[i]->setEnabled(PlugInHost->ToolEnabled(static_cast<std::int32_t>(i)));
        return;
    }
    for (auto& [command, item] : Items)
        if (Menus[command->Menu] == menu && command->Action >= 0 && command->Reevaluate)
            item->setEnabled(CommandEnabled(*command));
}

void TMainForm::RefreshWindowMenu() {
    for (QAction* item : WindowListItems)
        delete item;
    WindowListItems.clear();
    const QList<QMdiSubWindow*> windows = Mdi->subWindowList();
    WindowListSeparator->setVisible(!windows.isEmpty());
    int number = 1;
    for (QMdiSubWindow* sub : windows) {
        QAction* item = Menus[TMenuId::Form]->addAction(
            QStringLiteral("&%1 %2").arg(number++).arg(sub->windowTitle()));
        item->setCheckable(true);
        item->setChecked(sub == Mdi->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, sub] {
            if (sub->isMinimized())
                sub->showNormal();
            Mdi->setActiveSubWindow(sub);
        });
        WindowListItems.push_back(item);
    }
}

void TMainForm::ChildActivated(QMdiSubWindow* sub) {
    if (ActiveChild && ActiveChild != sub)
        if (auto* editor = qobject_cast<TMTEditForm*>(ActiveChild->widget()))
            editor->Deactivate();
    ActiveChild = sub;
    QMenu* menu = sub && sub->widget() ? sub->widget()->findChild<QMenu*>(
                                             QStringLiteral("EditMenu"), Qt::FindDirectChildrenOnly)
                                       : nullptr;
    if (menu == MergedMenu)
        return;
    if (MergedMenu)
        menuBar()->removeAction(MergedMenu->menuAction());
    MergedMenu = menu;
    if (menu)
        menuBar()->insertMenu(Menus[TMenuId::Export]->menuAction(), menu);
}

bool TMainForm::CommandEnabled(const TCommandInfo& command) {
    return PlanService->Can(command.Action) && (!command.NeedsObservations || Plan().HasYMatrix) &&
           (!command.NeedsModel || Plan().TermCount() > 0);
}

void TMainForm::RefreshCommands() {
    for (auto& [command, button] : Buttons)
        button->setEnabled(CommandEnabled(*command));
    // Shortcuts of the menu items act without the menu being opened, so the
    // items follow the actions here too.
    for (auto& [command, item] : Items)
        if (command->Action >= 0 && command->Reevaluate)
            item->setEnabled(CommandEnabled(*command));
    Panels[0]->setText(QString::fromStdString(Plan().StatusText));
    PlanHost->Statistics().Follow();
    PlanHost->Evaluation().Follow();
    PlanHost->Plots().Follow();
    Clock.Refreshed(Options.Ticks());
    RefreshTitle();
}

void TMainForm::RefreshTitle() {
    const bool complete = PlanService->Can(3);
    const std::string title = MainTitle(
        complete, complete ? PlanService->DisplayName() : std::string(), PlanService->IsModified());
    setWindowTitle(QString::fromStdString(title));
}

QString TMainForm::StatusPanelText(int panel) const {
    return panel >= 0 && panel < 3 ? Panels[panel]->text() : QString();
}

void TMainForm::OptionsAccepted() {
    SetHints(Settings().CBShowHints);
    // The plan's own ApplyOptions: the window lists, the plan's windows and
    // the graph holder.
    ServiceTable()->ApplyOptions(PlanService->Server());
    // The error term, alpha and the quantiles change the figures.
    PlanHost->Statistics().Refresh();
    PlanHost->Plots().ApplyOptions();
}

void TMainForm::PlanBuilt() {
    Plan().RefreshNaturalMatrix();
}

void TMainForm::SetHints(bool on) {
    HintsOn = on;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // The tool buttons' hints follow the options' "show hints" box.
    if (event->type() == QEvent::ToolTip && !HintsOn)
        for (QToolBar* bar : ToolBars)
            if (watched->parent() == bar)
                return true;
    return QMainWindow::eventFilter(watched, event);
}

// ---- Bars ----

void TMainForm::ApplyBars() {
    const TBarsState& s = BarsLogic.State();
    menuBar()->setVisible(s.MenuAttached);
    for (QToolBar* bar : ToolBars)
        bar->setVisible(s.ToolBarVisible);
    AnimateBar->setVisible(s.ToolBarVisible);
    statusBar()->setVisible(s.StatusBarVisible);
    const std::tuple<const char*, bool, bool> toggles[] = {
        {"ShowMenuItem", s.MenuChecked, s.MenuEnabled},
        {"ShowToolBarItem", s.ToolBarChecked, true},
        {"ShowStatusBarItem", s.StatusBarChecked, true},
    };
    for (const auto& [name, checked, enabled] : toggles)
        for (const QString& n : {Text(name), Text(name) + QLatin1Char('P')})
            if (QAction* a = findChild<QAction*>(n)) {
                a->setChecked(checked);
                a->setEnabled(enabled);
            }
}

void TMainForm::ShowMenuBar() {
    BarsLogic.ShowMenuBar();
    ApplyBars();
}

void TMainForm::HideMenuBar() {
    BarsLogic.HideMenuBar();
    ApplyBars();
}

void TMainForm::ShowToolBar() {
    BarsLogic.ShowToolBar();
    ApplyBars();
}

void TMainForm::HideToolBar() {
    BarsLogic.HideToolBar();
    ApplyBars();
}

void TMainForm::ShowStatusBar() {
    BarsLogic.ShowStatusBar();
    ApplyBars();
}

void TMainForm::HideStatusBar() {
    BarsLogic.HideStatusBar();
    ApplyBars();
}

void TMainForm::ShowMenuItemClick() {
    BarsLogic.ToggleMenuBar();
    ApplyBars();
}

void TMainForm::ShowToolBarItemClick() {
    BarsLogic.ToggleToolBar();
    ApplyBars();
}

void TMainForm::ShowStatusBarItemClick() {
    BarsLogic.ToggleStatusBar();
    ApplyBars();
}

void TMainForm::UnbreakBands() {
    for (int i = 0; i < 3; ++i) {
        removeToolBarBreak(ToolBars[i]);
        addToolBar(Qt::TopToolBarArea, ToolBars[i]);
    }
    resizeDocks({}, {}, Qt::Horizontal);
    for (int i = 0; i < 3; ++i)
        ToolBars[i]->resize(BarWidths[i], ToolBars[i]->height());
}

} // namespace orvanta
