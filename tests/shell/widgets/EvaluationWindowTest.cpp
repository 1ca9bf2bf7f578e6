// "Оценка плана" through the program's windows: before any response it
// shows what `orvan evaluate` computes for the same plan, follows the size
// of the coefficient to detect, the plan's runs and the plan's closing.
#include "shell/EvaluationWindow.h"
#include "designwindows/EvaluationForm.h"
#include "mteditor/MTEditForm.h"
#include "plan/RaruRuro.h"
#include "services/PlanService.h"
#include "shell/MainForm.h"
#include "shell/PlanWindows.h"
#include "shell/QtPlanHost.h"
#include "statswindow/StatisticsForm.h"

#include "GuiScript.h"
#include "MainWindowScript.h"
#include "TempFolder.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTableWidget>
#include <QtTest>
#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

using namespace orvanta;

namespace {

QByteArray Batch(const QStringList& arguments) {
    QProcess orvan;
    orvan.start(QStringLiteral(ORVAN_BIN_DIR "/orvan"), arguments);
    orvan.waitForFinished(60000);
    return orvan.readAllStandardOutput();
}

QJsonObject BatchEvaluation(const QString& plan, const QStringList& options = {}) {
    return QJsonDocument::fromJson(
               Batch(QStringList{QStringLiteral("evaluate"), plan, QStringLiteral("--json")} +
                     options))
        .object();
}

// The figure behind a cell; NaN for an empty one.
double Figure(QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item && item->data(Qt::UserRole).isValid() ? item->data(Qt::UserRole).toDouble() : NAN;
}

bool Same(double shown, const QJsonValue& expected) {
    if (expected.isNull())
        return std::isnan(shown);
    const double e = expected.toDouble();
    return std::fabs(shown - e) <= 1e-9 * std::max(1.0, std::fabs(e));
}

} // namespace

class TEvaluationWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;
    std::vector<std::string> Boxes;

    TEvaluationWindow& Window() { return Main->Host().Evaluation(); }
    TEvaluationForm* Form() { return Window().Form(); }
    QTableWidget* Table(const char* key) { return Form()->Tables->Table(key); }
    QAction* Command() { return Main->findChild<QAction*>(QStringLiteral("EvaluationItem")); }

    void Open(const QString& plan) {
        test::CatchMessageBoxes(Boxes, [] { return TAnswer::Yes; });
        Main = test::StartMainWindowOn(plan);
        QVERIFY(Command()->isEnabled());
        Command()->trigger();
        QVERIFY(Form());
    }

    // Every figure of the window against the batch tool's.
    void Compare(const QJsonObject& batch) {
        QTableWidget* efficiency = Table("efficiency");
        const char* keys[] = {"dEfficiency", "aEfficiency", "gEfficiency", "spvCentre", "spvMax"};
        for (int i = 0; i < 5; ++i)
            QVERIFY2(Same(Figure(efficiency, i, 1), batch[QLatin1String(keys[i])]), keys[i]);
        QTableWidget* coefficients = Table("coefficients");
        const QJsonArray vif = batch[QStringLiteral("vif")].toArray();
        QCOMPARE(coefficients->rowCount(), vif.size());
        for (int j = 0; j < vif.size(); ++j) {
            QVERIFY(Same(Figure(coefficients, j, 1), vif[j]));
            QVERIFY(
                Same(Figure(coefficients, j, 2), batch[QStringLiteral("relativeStdErrors")][j]));
            QVERIFY(Same(Figure(coefficients, j, 3), batch[QStringLiteral("power")][j]));
        }
        QTableWidget* leverage = Table("leverage");
        const QJsonArray h = batch[QStringLiteral("leverage")].toArray();
        QCOMPARE(leverage->rowCount(), h.size());
        for (int i = 0; i < h.size(); ++i)
            QVERIFY(Same(Figure(leverage, i, leverage->columnCount() - 1), h[i]));
        const QJsonArray fds = batch[QStringLiteral("fds")].toArray();
        QCOMPARE(Table("fds")->rowCount(), fds.size());
        for (int i = 0; i < fds.size(); ++i)
            QVERIFY(Same(Figure(Table("fds"), i, 1), fds[i][QStringLiteral("spv")]));
        // The curve of the same fractions beside them.
        QVERIFY(Form()->FdsPlot);
        QCOMPARE(Form()->FdsPlot->plottableCount(), 1);
    }

private slots:
    void cleanup() { test::EndSession(Main); }

    // A second-order plan, and a fraction with its alias chains.
    void ShowsWhatTheBatchToolComputes_data() {
        QTest::addColumn<QString>("generator");
        QTest::newRow("rotatable CCD") << QString();
        QTest::newRow("2^(4-1)") << QStringLiteral("Дробный факторный эксперимент 2^(4-1)");
    }
    void ShowsWhatTheBatchToolComputes() {
        QFETCH(QString, generator);
        test::TTempFolder folder("orvan-evaluation");
        QString plan = QStringLiteral(ORVAN_EXAMPLES_DIR "/ccr2-strength.mpl");
        if (!generator.isEmpty()) {
            plan = QString::fromStdString(folder.File("fraction.mpl"));
            Batch({QStringLiteral("new"), QStringLiteral("--generator"), generator,
                   QStringLiteral("--repeats"), QStringLiteral("2"), QStringLiteral("-o"), plan});
        }
        Open(plan);
        // Before any response: the evaluation needs the runs and the model.
        QVERIFY(!Main->Plan().HasBVector);
        Compare(BatchEvaluation(plan));
        const QJsonValue alias = BatchEvaluation(plan)[QStringLiteral("alias")];
        QTableWidget* chains = Table("aliases");
        QCOMPARE(chains != nullptr, alias.isObject() && !alias[QStringLiteral("chains")].isNull());
        if (chains)
            QCOMPARE(chains->rowCount(), alias[QStringLiteral("chains")].toArray().size());

        // The size of the coefficient to detect changes the power alone.
        Form()->DeltaEdit->setValue(3.0);
        Compare(BatchEvaluation(plan, {QStringLiteral("--delta"), QStringLiteral("3")}));
        QVERIFY(Boxes.empty());
    }

    void FollowsThePlan() {
        // A copy: the changed plan is never saved over the example.
        test::TTempFolder folder("orvan-evaluation");
        const QString plan = QString::fromStdString(folder.File("plan.mpl"));
        QVERIFY(QFile::copy(QStringLiteral(ORVAN_EXAMPLES_DIR "/ccr2-strength.mpl"), plan));
        Open(plan);
        QCOMPARE(Window().Window()->windowTitle(), QStringLiteral("Оценка плана"));
        // A second command brings the same window forward.
        Command()->trigger();
        const QList<QMdiSubWindow*> windows = Main->MdiArea().subWindowList();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QMdiSubWindow* w) {
                                   return w->windowTitle() == QStringLiteral("Оценка плана");
                               }),
                 1);
        Window().Minimize();
        QCOMPARE(Main->Host().Windows().ExtraWindows(TListOperation::Show),
                 std::vector<TPlanWindow>{TPlanWindow::Evaluation});

        // A corner run moved to the centre: the window is judged anew.
        const double before = Figure(Table("efficiency"), 0, 1);
        Main->Host().ShowDataWindow(TDataWindow::CodeMatrix);
        TMTEditForm* editor = Main->Host().Windows().Editor(TDataWindow::CodeMatrix);
        QVERIFY(editor);
        test::EnterValue(*editor, {1, 1}, QStringLiteral("0"));
        test::EnterValue(*editor, {2, 1}, QStringLiteral("0"));
        Main->RefreshCommands();
        QVERIFY(Figure(Table("efficiency"), 0, 1) < before);

        test::CatchMessageBoxes(Boxes, [] { return TAnswer::No; });
        Main->Service().ClosePlan();
        Main->RefreshCommands();
        QVERIFY(!Window().IsOpen());
        QVERIFY(!Command()->isEnabled());
    }
};

QTEST_MAIN(TEvaluationWindowTest)
#include "EvaluationWindowTest.moc"
