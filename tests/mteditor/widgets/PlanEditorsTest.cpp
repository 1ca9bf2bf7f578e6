// The plan's editor windows inside the program: the natural matrix follows
// the code matrix, saving clears the edit marks, an edit survives a save.
#include "mteditor/MTEditForm.h"

#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"
#include "shell/PlanWindows.h"
#include "shell/QtPlanHost.h"

#include "GuiScript.h"
#include "MainWindowScript.h"
#include "TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTableView>
#include <QtTest>

#include <filesystem>

using namespace orvanta;
using test::EnterValue;

namespace {

const std::string Example = std::string(ORVAN_EXAMPLES_DIR) + "/ccr2-strength.mpl";

} // namespace

class TPlanEditorsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;
    std::vector<std::string> Boxes;
    TAnswer Answer = TAnswer::No;

    TMTEditForm& Editor(TDataWindow window) {
        TMTEditForm* editor = Main->Host().Windows().Editor(window);
        if (!editor)
            qFatal("no editor window");
        return *editor;
    }

private slots:
    void init() {
        test::CatchMessageBoxes(Boxes, [this] { return Answer; });
        Main = test::StartMainWindow();
        QVERIFY(Main->Service().OpenPlan(Example));
    }

    void cleanup() {
        for (int i = 0; i < 5; ++i)
            Main->Host().ClearDataWindowEdited(static_cast<TDataWindow>(i));
        test::EndSession(Main);
    }

    void CodeMatrixEditRecomputesTheNaturalMatrixAtOnce() {
        TMTEditForm& code = Editor(TDataWindow::CodeMatrix);
        TMTEditForm& natural = Editor(TDataWindow::NaturalMatrix);
        QVERIFY(!natural.EditingAllowed());
        const double base = Main->Plan().BaseLevels.Get(0);
        const double interval = Main->Plan().Intervals.Get(0);
        EnterValue(code, {1, 1}, QStringLiteral("0.5"));
        QCOMPARE(Main->Plan().CodeMatrix.Get(0, 0), 0.5);
        QCOMPARE(Main->Plan().NaturalMatrix.Get(0, 0), base + 0.5 * interval);
        QCOMPARE(QString::fromStdString(natural.Grid().Text({1, 1})),
                 QString::fromStdString(FormatMatrixCell(base + 0.5 * interval)));
        QVERIFY(Main->windowTitle().contains(QStringLiteral(" (изменен) - ")));
    }

    // The natural matrix follows every key typed into the code matrix; the
    // key that ends the edit keeps the last number, and the edit is one undo
    // step (Ctrl+Z in the cell editor takes the whole edit back at once).
    void TypingIsCommittedKeyByKey_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<int>("column");
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(Qt::NoModifier) << true << 1;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier) << true << 2;
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier) << false << 1;
    }

    void TypingIsCommittedKeyByKey() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, kept);
        QFETCH(int, column);
        TMTEditForm& code = Editor(TDataWindow::CodeMatrix);
        TMTEditForm& natural = Editor(TDataWindow::NaturalMatrix);
        const TRaruRuro& plan = Main->Plan();
        const double before = plan.CodeMatrix.Get(0, 0);
        const auto naturalOf = [&](double coded) {
            return FormatMatrixCell(plan.BaseLevels.Get(0) + coded * plan.Intervals.Get(0));
        };
        Main->MdiArea().setActiveSubWindow(
            Main->Host().Windows().SubWindow(TPlanWindow::CodeMatrix));
        QApplication::setActiveWindow(Main.get());
        code.SetCurrentCell({1, 1});
        code.MatrixGrid->setFocus();
        QTest::keyClick(code.MatrixGrid, Qt::Key_Return);
        auto* editor = code.MatrixGrid->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTRY_VERIFY(editor->hasFocus());

        const QString typed = QStringLiteral("-0.25");
        double committed = before;
        for (qsizetype i = 0; i < typed.size(); ++i) {
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(typed[i]),
                                Qt::NoModifier);
            QCoreApplication::processEvents();
            double value = 0.0;
            if (TextToFloat(typed.left(i + 1).toStdString(), value))
                committed = value;
            QCOMPARE(editor->text(), typed.left(i + 1));
            QCOMPARE(plan.CodeMatrix.Get(0, 0), committed);
            QCOMPARE(natural.Grid().Text({1, 1}), naturalOf(committed));
        }
        QCOMPARE(committed, -0.25);

        QTest::keyClick(editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCoreApplication::processEvents();
        QVERIFY(!code.IsEditing());
        QCOMPARE(code.CurrentCell(), (TGridCell{column, 1}));
        const double after = kept ? -0.25 : before;
        QCOMPARE(plan.CodeMatrix.Get(0, 0), after);
        QCOMPARE(code.Grid().Text({1, 1}), FormatFull(after));
        QCOMPARE(natural.Grid().Text({1, 1}), naturalOf(after));

        // One undo step for the whole edit; a second one brings it back.
        code.findChild<QAction*>(QStringLiteral("UndoItem"))->trigger();
        QCOMPARE(plan.CodeMatrix.Get(0, 0), kept ? before : -0.25);
        QCOMPARE(natural.Grid().Text({1, 1}), naturalOf(kept ? before : -0.25));
        code.findChild<QAction*>(QStringLiteral("UndoItem"))->trigger();
        QCOMPARE(plan.CodeMatrix.Get(0, 0), after);
    }

    void EditorMenuJoinsTheMenuBarWhileActive() {
        QMdiSubWindow* sub = Main->Host().Windows().SubWindow(TPlanWindow::Responses);
        Main->MdiArea().setActiveSubWindow(sub);
        QMenu* edit = Editor(TDataWindow::Responses).EditMenu;
        QVERIFY(Main->menuBar()->actions().contains(edit->menuAction()));
        QCOMPARE(Main->menuBar()->actions().indexOf(edit->menuAction()), 1);
    }

    void SavingClearsUndoEverywhere() {
        test::TTempFolder folder("orvan-editors");
        Main->Plan().FileName = folder.File("run1.mpl");
        EnterValue(Editor(TDataWindow::Responses), {1, 1}, QStringLiteral("20"));
        EnterValue(Editor(TDataWindow::BaseLevels), {0, 1}, QStringLiteral("125"));
        QVERIFY(Editor(TDataWindow::Responses).IsEdited());
        QVERIFY(Main->Service().IsModified());
        QVERIFY(Main->Service().SavePlan());
        for (int i = 0; i < 5; ++i) {
            TMTEditForm& editor = Editor(static_cast<TDataWindow>(i));
            QVERIFY(!editor.IsEdited());
            QVERIFY(!editor.findChild<QAction*>(QStringLiteral("UndoButton"))->isEnabled());
        }
        QCOMPARE(Main->windowTitle(), QStringLiteral("run1 - Орванта"));
    }

    void AResponseEditSurvivesSaveAndReopen() {
        test::TTempFolder folder("orvan-editors");
        const std::string path = folder.File("edited.mpl");
        EnterValue(Editor(TDataWindow::Responses), {2, 3}, QStringLiteral("17.25"));
        QCOMPARE(Main->Plan().YMatrix.Get(2, 1), 17.25);
        Main->Plan().FileName = path;
        QVERIFY(Main->Service().SavePlan());
        QVERIFY(Main->Service().ClosePlan());
        QVERIFY(!Main->Host().Windows().Editor(TDataWindow::Responses));
        QVERIFY(Main->Service().OpenPlan(path));
        QCOMPARE(Main->Plan().YMatrix.Get(2, 1), 17.25);
        QCOMPARE(Editor(TDataWindow::Responses).Grid().Text({2, 3}), std::string("17.25"));
    }
};

QTEST_MAIN(TPlanEditorsTest)
#include "PlanEditorsTest.moc"
