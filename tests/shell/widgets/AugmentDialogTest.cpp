// "Дополнить план ..." through the program's menu: the factorial example
// becomes a central composite plan, whose windows show the new runs; a
// wrong arm is refused in a warning box; the composite plan then offers only
// the D-optimal runs and says why.
#include "designwindows/AugmentDialog.h"
#include "plan/RaruRuro.h"
#include "shell/MainForm.h"
#include "shell/PlanWindows.h"
#include "shell/QtPlanHost.h"

#include "GuiScript.h"
#include "MainWindowScript.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

using namespace orvanta;

class TAugmentDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;
    std::vector<std::string> Boxes;

    QAction* Item() { return Main->findChild<QAction*>(QStringLiteral("AugmentItem")); }
    int CodeRows() {
        TMTEditForm* editor = Main->Host().Windows().Editor(TDataWindow::CodeMatrix);
        return editor ? editor->MatrixGrid->model()->rowCount() : -1;
    }

private slots:
    void cleanup() { test::EndSession(Main); }

    void FactorialToCompositeThenDOptimalRuns() {
        test::CatchMessageBoxes(Boxes, [] { return TAnswer::Yes; });
        Main = test::StartMainWindow("ffe23-yield.mpl");
        QVERIFY(Item()->isEnabled());
        const int rows = CodeRows();
        const double y = Main->Plan().YMatrix.Get(7, 2);
        test::TWindowPerson person;
        person.Acts[QStringLiteral("AugmentDialog")] = [this](QWidget* w) {
            auto* dialog = static_cast<TAugmentDialog*>(w);
            QVERIFY(dialog->RBFoldOver->isEnabled() && dialog->RBAxial->isEnabled());
            QCOMPARE(dialog->EAlpha->text(), QStringLiteral("1.68179"));
            dialog->RBAxial->click();
            dialog->EAlpha->setText(QStringLiteral("0"));
            dialog->OkButton->click();
            QCOMPARE(Boxes.size(), std::size_t(1));
            QVERIFY(dialog->isVisible());
            dialog->EAlpha->setText(QStringLiteral("1.5"));
            dialog->SECentre->setValue(2);
            dialog->OkButton->click();
        };
        Item()->trigger();
        QTRY_VERIFY(!QApplication::activeModalWidget());
        const TRaruRuro& plan = Main->Plan();
        QCOMPARE(plan.RunCount, 8 + 6 + 2);
        QCOMPARE(plan.TermCount(), 10);
        QCOMPARE(plan.CodeMatrix.Get(8, 0), -1.5);
        QCOMPARE(plan.YMatrix.Get(7, 2), y);
        QVERIFY(plan.Modified);
        QCOMPARE(CodeRows(), rows + 8);

        person.Acts[QStringLiteral("AugmentDialog")] = [](QWidget* w) {
            auto* dialog = static_cast<TAugmentDialog*>(w);
            QVERIFY(!dialog->RBFoldOver->isEnabled() && !dialog->RBAxial->isEnabled());
            QVERIFY(dialog->LAxialReason->isVisibleTo(dialog));
            QVERIFY(dialog->LAxialReason->text().contains(QStringLiteral("двухуровневому")));
            QVERIFY(dialog->RBDOptimal->isChecked());
            dialog->SERuns->setValue(3);
            dialog->OkButton->click();
        };
        Item()->trigger();
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(plan.RunCount, 19);
        QCOMPARE(CodeRows(), rows + 11);
        QCOMPARE(Boxes.size(), std::size_t(1));
    }
};

QTEST_MAIN(TAugmentDialogTest)
#include "AugmentDialogTest.moc"
