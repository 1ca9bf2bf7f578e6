// The main window as the person meets it: enabled commands, title, status
// line, bars, start-up with and without modules, the command-line plan.
#include "shell/MainForm.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/FormList.h"
#include "shell/IniForm.h"
#include "shell/MainActions.h"
#include "shell/MessageBoxes.h"
#include "shell/PlanWindows.h"
#include "shell/QtPlanHost.h"
#include "shell/WindowArrangement.h"
#include "shell/WindowListHandler.h"

#include "TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <filesystem>
#include <set>

using namespace orvanta;

namespace {

const std::string Example = std::string(ORVAN_EXAMPLES_DIR) + "/ccr2-strength.mpl";

struct TBox {
    TBoxKind Kind;
    std::string Text;
};

} // namespace

class TMainFormTest : public QObject {
    Q_OBJECT

    std::vector<TBox> Boxes;
    TAnswer NextAnswer = TAnswer::Yes;
    std::int64_t Now = 0;

    // A main window over the given program folder, started as the program
    // starts it: shown, then the first clock tick.
    std::unique_ptr<TMainForm> Start(const std::string& folder, QStringList arguments = {}) {
        TMainFormOptions options;
        options.ProgramFolder = folder;
        options.Arguments = std::move(arguments);
        options.Ticks = [this] { return Now; };
        options.ReadSettingsFile = false;
        options.WriteSettingsAtExit = false;
        auto main = std::make_unique<TMainForm>(options);
        main->resize(900, 700);
        main->show();
        main->ClockTimerTimer();
        return main;
    }

    static std::set<std::int32_t> EnabledActions(TMainForm& main) {
        std::set<std::int32_t> enabled;
        for (const TCommandInfo& command : CommandTable()) {
            if (command.Action < 0)
                continue;
            auto* item = main.findChild<QAction*>(QString::fromUtf8(command.Item));
            if (item->isEnabled())
                enabled.insert(command.Action);
            if (command.Button) {
                auto* button = main.findChild<QAction*>(QString::fromUtf8(command.Button));
                if (button->isEnabled() != item->isEnabled())
                    qWarning("%s and its button differ", command.Item);
                if (button->isEnabled())
                    enabled.insert(command.Action);
            }
        }
        return enabled;
    }

    // Opens every top-level menu as the person would, so the items are
    // re-evaluated by their actions.
    static void OpenMenus(TMainForm& main) {
        for (QMenu* menu : main.menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
            QMetaObject::invokeMethod(menu, "aboutToShow");
    }

private slots:
    void init() {
        Settings().SetDefaults();
        Boxes.clear();
        NextAnswer = TAnswer::Yes;
        Now = 0;
        SetMessageBoxHook([this](TBoxKind kind, const std::string& text) {
            Boxes.push_back({kind, text});
            return NextAnswer;
        });
    }

    void cleanup() { SetMessageBoxHook({}); }

    void FreshProgramEnablesOnlyNewOpenAndImports() {
        auto main = Start(ORVAN_BIN_DIR);
        QCOMPARE(Boxes.size(), std::size_t(0));
        QCOMPARE(EnabledActions(*main), (std::set<std::int32_t>{0, 1, 6, 7}));
        OpenMenus(*main);
        QCOMPARE(EnabledActions(*main), (std::set<std::int32_t>{0, 1, 6, 7}));
        QCOMPARE(main->windowTitle(), QStringLiteral("Орванта"));
    }

    void OpenedPlanEnablesWhatCanDoAllows() {
        auto main = Start(ORVAN_BIN_DIR);
        QVERIFY(main->Service().OpenPlan(Example));
        OpenMenus(*main);
        std::set<std::int32_t> expected;
        for (const TCommandInfo& command : CommandTable())
            if (command.Action >= 0 && (main->Service().Can(command.Action) || !command.Reevaluate))
                expected.insert(command.Action);
        QVERIFY(expected.count(23) && expected.count(2) && !expected.count(0));
        QCOMPARE(EnabledActions(*main), expected);
        QCOMPARE(main->windowTitle(), QStringLiteral("ccr2-strength - Орванта"));
        QCOMPARE(main->StatusPanelText(0), QStringLiteral("Открытие плана завершено."));
    }

    void TitleShowsChangesAndUntitledPlans() {
        auto main = Start(ORVAN_BIN_DIR);
        main->Plan().Modified = true;
        main->RefreshTitle();
        QCOMPARE(main->windowTitle(), QStringLiteral("(план изменен) - Орванта"));
        QVERIFY(main->Service().OpenPlan(Example));
        main->Plan().Modified = true;
        main->RefreshTitle();
        QCOMPARE(main->windowTitle(), QStringLiteral("ccr2-strength (изменен) - Орванта"));
        main->Plan().FileName.clear();
        main->RefreshTitle();
        QCOMPARE(main->windowTitle(), QStringLiteral("[без имени] (изменен) - Орванта"));
    }

    void StatusTextGoesBetweenTenAndElevenSeconds() {
        auto main = Start(ORVAN_BIN_DIR);
        Now = 5000;
        main->Plan().StatusText = "Проведен полный анализ.";
        main->RefreshCommands();
        QCOMPARE(main->StatusPanelText(0), QStringLiteral("Проведен полный анализ."));
        Now = 15000;
        main->ClockTimerTimer();
        QCOMPARE(main->StatusPanelText(0), QStringLiteral("Проведен полный анализ."));
        Now = 15999;
        main->ClockTimerTimer();
        QCOMPARE(main->StatusPanelText(0), QString());
        QVERIFY(main->Plan().StatusText.empty());
        QCOMPARE(main->ClockTimer->interval(), 1000);
        QVERIFY(!main->StatusPanelText(1).isEmpty());
        QVERIFY(!main->StatusPanelText(2).isEmpty());
    }

    void MenuBarStaysWhileNoOtherBarShows() {
        auto main = Start(ORVAN_BIN_DIR);
        auto* menuToggle = main->findChild<QAction*>(QStringLiteral("ShowMenuItem"));
        auto* menuTwin = main->findChild<QAction*>(QStringLiteral("ShowMenuItemP"));
        main->findChild<QAction*>(QStringLiteral("ShowToolBarItem"))->trigger();
        main->findChild<QAction*>(QStringLiteral("ShowStatusBarItemP"))->trigger();
        QVERIFY(!main->statusBar()->isVisible());
        QVERIFY(!main->findChild<QToolBar*>(QStringLiteral("StartToolBar"))->isVisible());
        QVERIFY(!menuToggle->isEnabled() && !menuTwin->isEnabled());
        main->HideMenuBar();
        QVERIFY(main->menuBar()->isVisible());
        QVERIFY(menuToggle->isChecked() && menuTwin->isChecked());
        main->findChild<QAction*>(QStringLiteral("ShowStatusBarItem"))->trigger();
        QVERIFY(menuToggle->isEnabled() && menuTwin->isEnabled());
        menuTwin->trigger();
        QVERIFY(!main->menuBar()->isVisible());
        QVERIFY(!menuToggle->isChecked() && !menuTwin->isChecked());
        // The shortcuts keep working without the menu bar.
        QVERIFY(main->findChild<QAction*>(QStringLiteral("NewItem"))->shortcut() ==
                QKeySequence(QStringLiteral("Ctrl+N")));
        QVERIFY(main->actions().contains(main->findChild<QAction*>(QStringLiteral("NewItem"))));
    }

    void EmptyModelsFolderLeavesOnlyBuiltinPlans() {
        test::TTempFolder folder("orvan-shell");
        std::filesystem::create_directory(folder.File("Models"));
        auto main = Start(folder.Path);
        QCOMPARE(Boxes.size(), std::size_t(1));
        QCOMPARE(Boxes[0].Kind, TBoxKind::Warning);
        QCOMPARE(Boxes[0].Text, std::string("Не найдено ни одного внешнего модуля.\n"
                                            "Вы сможете использовать только встроенные планы."));
        QVERIFY(!main->WizardChoices().GeneratorAllowed);
        QVERIFY(!main->WizardChoices().NonStandardAllowed);
        QVERIFY(main->WizardChoices().SelectBuiltin);
        QVERIFY(!main->findChild<QMenu*>(QStringLiteral("PlugInsMenu"))->isEnabled());
    }

    void ModulesOfTheProgramOfferEveryPlanKind() {
        auto main = Start(ORVAN_BIN_DIR);
        QVERIFY(main->WizardChoices().GeneratorAllowed);
        QVERIFY(main->WizardChoices().NonStandardAllowed);
        QVERIFY(!main->WizardChoices().SelectBuiltin);
    }

    void CommandLinePlanOpensAndArrangesQuietly() {
        // Any window list left open would stop the test: close it and fail.
        bool listShown = false;
        QTimer guard;
        connect(&guard, &QTimer::timeout, this, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                listShown = true;
                modal->close();
            }
        });
        guard.start(20);
        auto main = Start(ORVAN_BIN_DIR, {QString::fromStdString(Example)});
        QVERIFY(!listShown);
        QCOMPARE(main->Plan().FileName, Example);
        TFormList& arrange = main->Host().WindowLists().Dialog(TListOperation::Arrange);
        QVERIFY(arrange.ShowAlways());
        QVERIFY(Settings().CBShowArrangeList);
        QMdiSubWindow* code = main->Host().Windows().SubWindow(TPlanWindow::CodeMatrix);
        QVERIFY(code && code->isVisible());
        const QRect client = main->MdiArea().viewport()->rect();
        const TWindowRect area{0, 0, client.width() - 4, client.height() - 4};
        std::array<bool, 6> open{};
        for (int i = 0; i < 6; ++i)
            open[i] = main->Host().Windows().SubWindow(static_cast<TPlanWindow>(i)) != nullptr;
        const auto rects = ArrangeGeometry(area, open);
        QVERIFY(rects[0].has_value());
        QCOMPARE(code->geometry(),
                 QRect(rects[0]->Left, rects[0]->Top, rects[0]->Right - rects[0]->Left,
                       rects[0]->Bottom - rects[0]->Top));
    }

    void CommandLineEdgeCases() {
        auto two = Start(ORVAN_BIN_DIR, {QString::fromStdString(Example), QStringLiteral("x")});
        QVERIFY(two->Plan().FileName.empty());
        QVERIFY(Boxes.empty());
        two.reset();
        auto missing = Start(ORVAN_BIN_DIR, {QStringLiteral("/nonexistent/run1.mpl")});
        QCOMPARE(Boxes.size(), std::size_t(1));
        QCOMPARE(Boxes[0].Text, std::string("Файл не \"/nonexistent/run1.mpl\" найден."));
        QVERIFY(missing->Plan().FileName.empty());
    }

    void SavedLayoutAppliesOnFirstTick() {
        Settings().ToolbarVisible = false;
        Settings().StatusBarVisible = true;
        Settings().MenuBarVisible = false;
        Settings().WindowState = 0;
        Settings().WindowWidth = 640;
        Settings().WindowHeight = 480;
        auto main = Start(ORVAN_BIN_DIR);
        QVERIFY(!main->Bars().ToolBarVisible);
        QVERIFY(!main->Bars().MenuAttached);
        QVERIFY(main->Bars().StatusBarVisible);
        QCOMPARE(main->size(), QSize(640, 480));
    }

    // The desktop gives every child window Ctrl+W as "close"; the key is
    // the program's "Показать ...", and no key closes a plan window. A
    // child minimised by hand updates the commands at once.
    void CtrlWShowsWindowsAndClosesNone() {
        auto main = Start(ORVAN_BIN_DIR, {QString::fromStdString(Example)});
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        QMdiArea& area = main->MdiArea();
        QMdiSubWindow* code = main->Host().Windows().SubWindow(TPlanWindow::CodeMatrix);
        auto* show = main->findChild<QAction*>(QStringLiteral("ShowItem"));
        const auto pressCtrlW = [&] {
            QWidget* target =
                QApplication::focusWidget() ? QApplication::focusWidget() : main.get();
            QTest::keyClick(target, Qt::Key_W, Qt::ControlModifier);
        };
        const int windows = static_cast<int>(area.subWindowList().size());
        area.setActiveSubWindow(code);
        QVERIFY(!show->isEnabled());
        pressCtrlW();
        QVERIFY(!code->isMinimized());

        code->showMinimized();
        QVERIFY(show->isEnabled());
        QString listed;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            if (auto* list = qobject_cast<TFormList*>(QApplication::activeModalWidget())) {
                listed = list->windowTitle();
                list->accept();
            }
        });
        answer.start(10);
        pressCtrlW();
        answer.stop();
        QCOMPARE(listed, QStringLiteral("Показать"));
        QVERIFY(!code->isMinimized());
        QVERIFY(!show->isEnabled());

        // Closing a minimised plan window leaves it where it is.
        code->showMinimized();
        area.setActiveSubWindow(code);
        code->close();
        QCOMPARE(static_cast<int>(area.subWindowList().size()), windows);
        QCOMPARE(main->Host().Windows().SubWindow(TPlanWindow::CodeMatrix), code);
    }

    void RightClickOnTheEmptyClientAreaShowsTheViewMenu() {
        auto main = Start(ORVAN_BIN_DIR);
        QWidget* viewport = main->MdiArea().viewport();
        auto* popup = main->findChild<QMenu*>(QStringLiteral("ViewPopup"));
        const QPoint at(10, 10);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &click);
        QTRY_VERIFY(popup->isVisible());
        popup->close();
    }

    // The splash takes no input but is drawn in the colours of an ordinary
    // window, not greyed out.
    void SplashIsNotGreyedOut() {
        TIniForm splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QLabel* name = nullptr;
        for (QLabel* label : splash.findChildren<QLabel*>())
            if (label->text() == QStringLiteral("Орванта"))
                name = label;
        QVERIFY(name);
        const QRgb ink = name->palette().color(QPalette::Active, QPalette::WindowText).rgb();
        const QImage image = name->grab().toImage().convertToFormat(QImage::Format_RGB32);
        bool inked = false;
        for (int y = 0; y < image.height() && !inked; ++y)
            for (int x = 0; x < image.width() && !inked; ++x)
                inked = image.pixel(x, y) == ink;
        QVERIFY(inked);
    }

    void ClosingAChangedPlanAsksAndCanBeCancelled() {
        auto main = Start(ORVAN_BIN_DIR);
        QVERIFY(main->Service().OpenPlan(Example));
        main->Plan().Modified = true;
        NextAnswer = TAnswer::Cancel;
        QVERIFY(!main->close());
        QVERIFY(main->isVisible());
        QVERIFY(!Boxes.empty());
        QCOMPARE(Boxes.back().Kind, TBoxKind::YesNoCancel);
        NextAnswer = TAnswer::No;
        QVERIFY(main->close());
    }
};

QTEST_MAIN(TMainFormTest)
#include "MainFormTest.moc"
