// Every option of the options dialog changes what it says it changes: each
// report item switches its section of the report of an analysed example
// plan, and the general options reach the windows that read them. The
// options are changed as a person changes them: Service menu, a click on
// the box, "Ok".
#include "dialogs/NewDialog.h"
#include "dialogs/ReportForm.h"
#include "dialogs/StepOneForm.h"
#include "dialogs/WizardSpinEdit.h"
#include "dialogs/YMparams.h"
#include "mteditor/MTEditForm.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/FormList.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"
#include "shell/OptionsForm.h"
#include "shell/OptionsPages.h"
#include "shell/PlanWindows.h"
#include "shell/QtPlanHost.h"
#include "shell/WindowListHandler.h"

#include "GuiScript.h"

#include <QAction>
#include <QCheckBox>
#include <QHelpEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include <map>

using namespace orvanta;

namespace {

const std::string Example = std::string(ORVAN_EXAMPLES_DIR) + "/ccr2-strength.mpl";

} // namespace

class TOptionsEffectTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<test::TWindowPerson> Person;

    // Service menu, "Параметры ...", a click on each box on its page, "Ok".
    void ClickOptions(const QStringList& names) {
        TOptionsForm& form = Main->OptionsForm();
        bool shown = false;
        QTimer::singleShot(0, this, [&] {
            shown = form.isVisible();
            for (const QString& name : names) {
                QCheckBox* box = form.Pages->Flag(name);
                QWidget* page = box;
                while (page->parentWidget() && !qobject_cast<QStackedWidget*>(page->parentWidget()))
                    page = page->parentWidget();
                form.Pages->setCurrentWidget(page);
                const QPoint at(box->height() / 2, box->height() / 2);
                QTest::mouseClick(box, Qt::LeftButton, {}, at);
            }
            form.OkButton->click();
        });
        Main->findChild<QAction*>(QStringLiteral("OptionsItem"))->trigger();
        QVERIFY(shown);
        QVERIFY(!form.isVisible());
    }

    bool Checked(const QString& name) { return Main->OptionsForm().Pages->Flag(name)->isChecked(); }

    QString Report() {
        Main->Plan().HasReportText = false;
        if (!Main->Service().UpdateReport() || !Main->Plan().HasReportText)
            return QStringLiteral("<no report>");
        return QString::fromStdString(Main->Plan().ReportText);
    }

    // Whether the button's hint comes up when the mouse rests on it.
    static bool ShowsHint(QWidget* widget, const QString& hint) {
        QToolTip::hideText();
        QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget, &event);
        return QToolTip::isVisible() && QToolTip::text() == hint;
    }

private slots:
    void initTestCase() {
        Settings().SetDefaults();
        SetMessageBoxHook([](TBoxKind, const std::string&) { return TAnswer::No; });
        Person = std::make_unique<test::TWindowPerson>();
        // The plan's windows are answered with their "Ok"; the options
        // dialog is the test's own.
        Person->AnswerTheRest = true;
        Person->Ignored = {QStringLiteral("OptionsForm")};
        TMainFormOptions options;
        options.ProgramFolder = ORVAN_BIN_DIR;
        options.ReadSettingsFile = false;
        options.WriteSettingsAtExit = false;
        Main = std::make_unique<TMainForm>(options);
        Main->resize(900, 700);
        Main->show();
        Main->ClockTimerTimer();
        QVERIFY(Main->Service().OpenPlan(Example));
        QVERIFY(Main->Service().RunAnalysis());
        QVERIFY(Main->Plan().HasBVector);
        Main->UpdateReportItemClick();
        QVERIFY(Main->Host().Windows().Report());
    }

    void cleanupTestCase() {
        Main.reset();
        Person.reset();
        SetMessageBoxHook({});
    }

    void ReportItemSwitchesItsSection_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("line");
        const std::pair<const char*, const char*> rows[] = {
            {"CBUseDivider", "* * * =========="},
            {"CBTimeDate", "Отчет составлен: "},
            {"CBDegree", "Количество факторов: 2\n"},
            {"CBpType", "Тип плана: встроенный центральный композиционный ротатабельный.\n"},
            {"CBN", "Полное количество экспериментов: "},
            {"CBModelType", "Тип модели: Полином второго порядка"},
            {"CBMainMatrix", "Матрица плана в кодовом выражении:\n"},
            {"CBMLVector", "Вектор основных уровней факторов:\n"},
            {"CBDFVector", "Вектор интервалов варьирования:\n"},
            {"CBNaturalMatrix", "Матрица плана в натуральном выражении:\n"},
            {"CBExpandedMatrix", "Матрица базисных функций:\n"},
            {"CBMMatrix", "Информационная матрица: \n"},
            {"CBCMatrix", "Ковариационная матрица: \n"},
            {"CBR", "Число повторений каждого эксперимента: 2\n"},
            {"CBYMatrix", "Матрица откликов: \n"},
            {"CBAVector", "Вектор средних значений наблюдений: \n"},
            {"CBDVector", "Вектор дисперсий наблюдений: \n"},
            {"CBSVector", "Вектор ошибок наблюдений: \n"},
            {"CBDV", "Дисперсия воспроизводимости: "},
            {"CBDmax", "Максимальная из дисперсий опытов: "},
            {"CBActualBSize", "Число значимых параметров: "},
            {"CBBVector", "Вектор параметров модели: \n"},
            {"CBDad", "Дисперсия адекватности: "},
            {"CBCohrenAnalysis", "Расчетное значение критерия Кохрена: "},
            {"CBFisherAnalysis", "Расчетное значение критерия Фишера: "},
            {"CBMainPoint", "Поиск экстремума не производился.\n"},
            {"CBMarkEndOfReport", "<конец отчета>\n"},
        };
        for (const auto& [item, line] : rows)
            QTest::newRow(item) << QString::fromLatin1(item) << QString::fromUtf8(line);
    }

    void ReportItemSwitchesItsSection() {
        QFETCH(QString, item);
        QFETCH(QString, line);
        QList<bool> states;
        for (int pass = 0; pass < 2; ++pass) {
            ClickOptions({item});
            states << Checked(item);
            QCOMPARE(Report().contains(line), states.back());
        }
        QCOMPARE(states.size(), 2);
        QVERIFY(states[0] != states[1]);
    }

    void HintsReachToolButtonsEditorsAndReport() {
        QAction* newButton = Main->findChild<QAction*>(QStringLiteral("NewButton"));
        QWidget* button =
            Main->findChild<QToolBar*>(QStringLiteral("StartToolBar"))->widgetForAction(newButton);
        const QString hint = QStringLiteral("Создание нового плана эксперимента");
        Main->Host().ShowDataWindow(TDataWindow::CodeMatrix);
        TMTEditForm* editor = Main->Host().Windows().Editor(TDataWindow::CodeMatrix);
        QVERIFY(editor);
        std::map<QAction*, QString> editorHints;
        for (QToolBar* bar : editor->findChildren<QToolBar*>())
            for (QAction* action : bar->actions())
                if (!action->isSeparator())
                    editorHints[action] = action->toolTip();
        QVERIFY(!editorHints.empty());
        QToolBar* reportBar = Main->Host().Windows().Report()->findChild<QToolBar*>();

        QVERIFY(ShowsHint(button, hint));
        for (bool on : {false, true}) {
            ClickOptions({QStringLiteral("CBShowHints")});
            QCOMPARE(Settings().CBShowHints, on);
            QCOMPARE(ShowsHint(button, hint), on);
            for (const auto& [action, text] : editorHints)
                QCOMPARE(action->toolTip() == text, on);
            QCOMPARE(reportBar->toolTipDuration() != 0, on);
        }
    }

    void WindowListOptionsReachTheListDialogs_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("operation");
        QTest::newRow("minimize") << "CBShowHideList" << int(TListOperation::Minimize);
        QTest::newRow("show") << "CBShowShowList" << int(TListOperation::Show);
        QTest::newRow("arrange") << "CBShowArrangeList" << int(TListOperation::Arrange);
    }

    void WindowListOptionsReachTheListDialogs() {
        QFETCH(QString, option);
        QFETCH(int, operation);
        TFormList& dialog =
            Main->Host().WindowLists().Dialog(static_cast<TListOperation>(operation));
        QVERIFY(dialog.ShowAlways());
        ClickOptions({option});
        QVERIFY(!dialog.ShowAlways());
        ClickOptions({option});
        QVERIFY(dialog.ShowAlways());
    }

    void ObservationsDialogFollowsItsOption_data() {
        QTest::addColumn<bool>("ask");
        QTest::newRow("off") << false;
        QTest::newRow("on") << true;
    }

    void ObservationsDialogFollowsItsOption() {
        QFETCH(bool, ask);
        if (Checked(QStringLiteral("CBAlsoCreateY")) != ask || Settings().CBAlsoCreateY != ask)
            ClickOptions({QStringLiteral("CBAlsoCreateY")});
        QCOMPARE(Settings().CBAlsoCreateY, ask);
        // A new plan comes only in place of none (changes are not saved).
        if (Main->Service().Can(4))
            QVERIFY(Main->Service().ClosePlan());
        Person->Seen.clear();
        Person->Acts[QStringLiteral("StepOneForm")] = [](QWidget* w) {
            auto* step = static_cast<TStepOneForm*>(w);
            step->RBOld->setChecked(true);
            step->ForwardButton->click();
        };
        Person->Acts[QStringLiteral("NewDialog")] = [](QWidget* w) {
            auto* dialog = static_cast<TNewDialog*>(w);
            dialog->FFEButton->click();
            dialog->EDegree->SetText(QStringLiteral("2"));
            dialog->OKButton->click();
        };
        Person->Acts[QStringLiteral("YMparams")] = [](QWidget* w) {
            auto* dialog = static_cast<TYMparams*>(w);
            dialog->ERepeats->setText(QStringLiteral("3"));
            dialog->OkButton->click();
        };
        Main->findChild<QAction*>(QStringLiteral("NewItem"))->trigger();
        QCOMPARE(Main->Plan().PlanKind, std::uint8_t(0));
        QCOMPARE(Person->Seen.contains(QStringLiteral("YMparams")), ask);
        QCOMPARE(Main->Plan().HasYMatrix, ask);
    }
};

QTEST_MAIN(TOptionsEffectTest)
#include "OptionsEffectTest.moc"
