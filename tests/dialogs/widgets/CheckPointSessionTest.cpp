// The check point through the program's windows: a saturated general plan
// (a half fraction with the linear model, N = p) gets new observations at
// its check point in the check-point window, is analysed, and shows the
// check-point result form and the report's check-point section; the same
// plan saved and analysed by the batch tool gives the same Student
// statistic. A window closed with "Отмена" leaves the plan's check point.
#include "dialogs/CheckPointDlg.h"
#include "dialogs/ReportForm.h"
#include "dialogs/ResultCompleteForm.h"
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
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTextEdit>
#include <QtTest>

#include <map>

using namespace orvanta;

class TCheckPointSessionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;
    std::vector<std::string> Boxes;

    TCheckPointDlg* OpenCheckPoint() {
        Main->findChild<QAction*>(QStringLiteral("CheckPointItem"))->trigger();
        return Main->Host().CheckPointWindow();
    }

private slots:
    void init() {
        test::CatchMessageBoxes(Boxes, [] { return TAnswer::No; });
        Main = test::StartMainWindow("saturated-frac3-hardness.mpl");
        QVERIFY(Main->Plan().HasCheckPoint && Main->Plan().HasCheckY);
    }

    void cleanup() { test::EndSession(Main); }

    void NewObservationsReachTheAnalysisAndTheReport() {
        TRaruRuro& plan = Main->Plan();
        TCheckPointDlg* dialog = OpenCheckPoint();
        QVERIFY(dialog && dialog->isVisible());
        // One more observation at the check point, typed into the editor.
        const std::int32_t count = plan.CheckY.Size();
        dialog->SERcp->SetText(QString::number(count + 1));
        dialog->DefineCPYButton->click();
        TMTEditForm* editor = dialog->EditorForm();
        QVERIFY(editor);
        // A vector's grid: a row of names over a row of values.
        QCOMPARE(editor->Grid().RowCount(), 2);
        QCOMPARE(editor->Grid().ColCount(), count + 1);
        test::EnterValue(*editor, {count, 1}, QStringLiteral("61.5"));
        dialog->EditorWindow()->close();
        QVERIFY(!dialog->EditorWindow());
        QVERIFY(Main->CheckPointToFrontRequest);
        Main->ClockTimerTimer();
        QVERIFY(!Main->CheckPointToFrontRequest);
        dialog->OkButton->click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(plan.CheckY.Size(), count + 1);
        QCOMPARE(plan.CheckY.Get(count), 61.5);
        QCOMPARE(plan.CheckRepeatCount, count + 1);
        QVERIFY(plan.Modified);

        std::map<QString, QString> fields;
        test::TWindowPerson person;
        for (const char* name : {"CohrenCompleteForm", "StudentCompleteForm", "CheckCompleteForm"})
            person.Acts[QString::fromLatin1(name)] = [&fields](QWidget* w) {
                auto* form = static_cast<TResultCompleteForm*>(w);
                for (const QLineEdit* field : form->Fields)
                    fields[form->objectName() + QLatin1Char('.') + field->objectName()] =
                        field->text();
                form->OkButton->click();
            };
        person.Acts[QStringLiteral("ModelChangeDialog")] = [](QWidget* w) {
            static_cast<QDialog*>(w)->reject();
        };
        Main->findChild<QAction*>(QStringLiteral("AnalysisItem"))->trigger();
        QVERIFY(person.Seen.contains(QStringLiteral("CheckCompleteForm")));
        QVERIFY(!person.Seen.contains(QStringLiteral("FisherCompleteForm")));
        QVERIFY(plan.HasCheckT);
        QCOMPARE(fields[QStringLiteral("CheckCompleteForm.EST_R")],
                 QString::fromStdString(FormatFull(plan.CheckT)));
        TReportForm* report = Main->Host().Windows().Report();
        QVERIFY(report && report->isVisible());
        QVERIFY(report->Edit->toPlainText().contains(
            QStringLiteral("Результаты анализа адекватности по контрольной точке")));

        // The same plan through the batch tool.
        test::TTempFolder folder("orvan-checkpoint");
        const std::string path = folder.File("saved.mpl");
        plan.FileName = path;
        QVERIFY(Main->Service().SavePlan());
        QProcess batch;
        batch.start(
            QStringLiteral(ORVAN_BIN_DIR "/orvan"),
            {QStringLiteral("analyze"), QString::fromStdString(path), QStringLiteral("--json")});
        QVERIFY(batch.waitForFinished(30000));
        const QJsonObject check = QJsonDocument::fromJson(batch.readAllStandardOutput())
                                      .object()[QStringLiteral("checkPoint")]
                                      .toObject();
        QCOMPARE(fields[QStringLiteral("CheckCompleteForm.EST_R")],
                 QString::fromStdString(FormatFull(check[QStringLiteral("t")].toDouble())));
        QCOMPARE(fields[QStringLiteral("CheckCompleteForm.EDfore")],
                 QString::fromStdString(
                     FormatFull(check[QStringLiteral("predictionVariance")].toDouble())));
    }

    void CancelLeavesTheCheckPoint() {
        TRaruRuro& plan = Main->Plan();
        const std::vector<double> point(plan.CheckPoint.Elements(),
                                        plan.CheckPoint.Elements() + plan.CheckPoint.Size());
        TCheckPointDlg* dialog = OpenCheckPoint();
        QVERIFY(dialog);
        dialog->DefineCButton->click();
        test::EnterValue(*dialog->EditorForm(), {0, 1}, QStringLiteral("0.5"));
        dialog->EditorWindow()->close();
        QCOMPARE(dialog->CodedPoint().Get(0), 0.5);
        dialog->CancelButton->click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(std::vector<double>(plan.CheckPoint.Elements(),
                                     plan.CheckPoint.Elements() + plan.CheckPoint.Size()),
                 point);
        QVERIFY(!plan.Modified);
    }
};

QTEST_MAIN(TCheckPointSessionTest)
#include "CheckPointSessionTest.moc"
