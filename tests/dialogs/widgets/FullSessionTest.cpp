// A whole session through the program's windows — a new rotatable plan from
// the wizard, responses typed into the grid, the analysis with the
// model-change dialog answered, the extremum search — against the batch tool
// given the same data and answers.
#include "dialogs/ExtremumDialog.h"
#include "dialogs/ModelChangeDialog.h"
#include "dialogs/NewDialog.h"
#include "dialogs/ReportForm.h"
#include "dialogs/ResultCompleteForm.h"
#include "dialogs/StepOneForm.h"
#include "dialogs/WizardSpinEdit.h"
#include "dialogs/YMparams.h"
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
#include "SessionScript.h"
#include "TempFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTextEdit>
#include <QtTest>

#include <fstream>
#include <map>

using namespace orvanta;

namespace {

QJsonObject RunBatch(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(ORVAN_BIN_DIR "/orvan"), arguments);
    process.waitForFinished(30000);
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

bool RunBatchQuietly(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(ORVAN_BIN_DIR "/orvan"), arguments);
    return process.waitForFinished(30000) && process.exitCode() == 0;
}

} // namespace

class TFullSessionTest : public QObject {
    Q_OBJECT

private slots:
    void GuiSessionMatchesTheBatchTool() {
        Settings().SetDefaults();
        SetDecimalSeparator('.');
        std::vector<std::string> boxes;
        SetMessageBoxHook([&](TBoxKind, const std::string& text) {
            boxes.push_back(text);
            return TAnswer::Yes;
        });
        TMainFormOptions options;
        options.ProgramFolder = ORVAN_BIN_DIR;
        options.ReadSettingsFile = false;
        options.WriteSettingsAtExit = false;
        TMainForm main(options);
        main.show();
        main.ClockTimerTimer();

        test::TWindowPerson person;
        test::AnswerBuiltinPlanWizard(person, &TNewDialog::CCRButton, 2, 2);
        main.findChild<QAction*>(QStringLiteral("NewItem"))->trigger();
        QCOMPARE(main.Plan().PlanKind, std::uint8_t(2));
        QCOMPARE(main.Plan().FactorCount, 2);
        QVERIFY(main.Plan().HasYMatrix);
        const std::int32_t n = main.Plan().RunCount;

        // Responses of y = 18.5 + 1.6 x1 + 0.8 x2 - 1.3 x1^2 - 0.8 x2^2 with
        // a small disturbance and no interaction, typed cell by cell.
        TMTEditForm* grid = main.Host().Windows().Editor(TDataWindow::Responses);
        QVERIFY(grid);
        test::TTempFolder folder("orvan-session");
        std::ofstream responses(folder.File("y.txt"));
        const TNamedMatrix& x = main.Plan().CodeMatrix;
        for (std::int32_t i = 0; i < n; ++i) {
            const double a = x.Get(i, 0), b = x.Get(i, 1);
            const double y = 18.5 + 1.6 * a + 0.8 * b - 1.3 * a * a - 0.8 * b * b;
            for (std::int32_t j = 0; j < 2; ++j) {
                const double noise = ((i * 7 + j * 3) % 5 - 2) * 0.04;
                const QString text = QString::number(y + noise, 'g', 10);
                test::EnterValue(*grid, {j + 1, i + 1}, text);
                QCOMPARE(main.Plan().YMatrix.Get(i, j), text.toDouble());
                responses << text.toStdString() << (j == 0 ? " " : "\n");
            }
        }
        responses.close();

        // The result forms as they came up; the person switches the
        // regression form off from the form itself.
        std::map<QString, QString> fields;
        test::AnswerTheAnalysis(person, fields);
        main.findChild<QAction*>(QStringLiteral("AnalysisItem"))->trigger();
        QVERIFY(person.Seen.contains(QStringLiteral("ModelChangeDialog")));
        QCOMPARE(person.Seen.filter(QStringLiteral("CompleteForm")),
                 QStringList({QStringLiteral("CohrenCompleteForm"),
                              QStringLiteral("StudentCompleteForm"),
                              QStringLiteral("FisherCompleteForm")}));
        QVERIFY(main.Plan().HasBVector);
        QVERIFY(!Settings().CBStudentResultsShow);
        QVERIFY(Settings().CBCohrenResultsShow && Settings().CBFisherResultsShow);
        // Adequacy shows the report at once: the composed report, unmodified.
        TReportForm* report = main.Host().Windows().Report();
        QVERIFY(report && report->isVisible());
        const auto body = [](QString text) {
            while (text.endsWith(QLatin1Char('\n')))
                text.chop(1);
            return text;
        };
        QCOMPARE(body(report->Edit->toPlainText()),
                 body(QString::fromStdString(main.Plan().ReportText)));
        QVERIFY(report->Edit->toPlainText().contains(
            QStringLiteral("Результаты анализа адекватности по критерию Фишера")));
        QVERIFY(!report->IsModified());

        person.Acts[QStringLiteral("ExtremumDialog")] = [](QWidget* w) {
            auto* dialog = static_cast<TExtremumDialog*>(w);
            for (int factor : {0, 1}) {
                dialog->LBFactors->setCurrentRow(factor);
                dialog->EStart->setText(QStringLiteral("-1"));
                dialog->EEnd->setText(QStringLiteral("1"));
            }
            dialog->CBMethod->setCurrentIndex(1);
            dialog->RBMaximum->setChecked(true);
            dialog->SESteps->setText(QStringLiteral("10"));
            dialog->OkButton->click();
        };
        person.Acts[QStringLiteral("ExtremumResultDialog")] = [](QWidget* w) {
            static_cast<QDialog*>(w)->accept();
        };
        main.findChild<QAction*>(QStringLiteral("ExtremumItem"))->trigger();
        QVERIFY(main.Plan().HasExtremumPoint);

        // The same plan, data and answers through the batch tool.
        const QString plan = QString::fromStdString(folder.File("batch.mpl"));
        QVERIFY(RunBatchQuietly({QStringLiteral("new"), QStringLiteral("--builtin"),
                                 QStringLiteral("ccr"), QStringLiteral("--factors"),
                                 QStringLiteral("2"), QStringLiteral("--repeats"),
                                 QStringLiteral("2"), QStringLiteral("-o"), plan}));
        QVERIFY(RunBatchQuietly({QStringLiteral("set"), plan, QStringLiteral("--responses"),
                                 QString::fromStdString(folder.File("y.txt"))}));
        const QJsonObject analysis =
            RunBatch({QStringLiteral("analyze"), plan, QStringLiteral("--insignificant"),
                      QStringLiteral("zero"), QStringLiteral("--json")});
        const auto text = [&analysis](const char* test, const char* value) {
            return QString::fromStdString(FormatFull(
                analysis[QString::fromLatin1(test)][QString::fromLatin1(value)].toDouble()));
        };
        QCOMPARE(fields[QStringLiteral("CohrenCompleteForm.ECH_R")], text("cochran", "G"));
        QCOMPARE(fields[QStringLiteral("CohrenCompleteForm.ECH_T")], text("cochran", "critical"));
        QCOMPARE(fields[QStringLiteral("FisherCompleteForm.EFS_R")], text("fisher", "F"));
        QCOMPARE(fields[QStringLiteral("FisherCompleteForm.EFS_T")], text("fisher", "critical"));
        QCOMPARE(fields[QStringLiteral("FisherCompleteForm.EDad")],
                 QString::fromStdString(
                     FormatFull(analysis[QStringLiteral("adequacyVariance")].toDouble())));
        QCOMPARE(fields[QStringLiteral("StudentCompleteForm.EActualBSize")],
                 QString::number(analysis[QStringLiteral("significantCount")].toInt()));
        const QJsonArray coefficients = analysis[QStringLiteral("coefficients")].toArray();
        QCOMPARE(coefficients.size(), qsizetype(main.Plan().BVector.Size()));
        for (int i = 0; i < coefficients.size(); ++i)
            QCOMPARE(main.Plan().BVector.Get(i),
                     coefficients[i].toObject()[QStringLiteral("value")].toDouble());
        const QJsonObject extremum = RunBatch(
            {QStringLiteral("extremum"), plan, QStringLiteral("--max"), QStringLiteral("--method"),
             QStringLiteral("gauss-seidel"), QStringLiteral("--count"), QStringLiteral("10"),
             QStringLiteral("--lower"), QStringLiteral("-1,-1"), QStringLiteral("--upper"),
             QStringLiteral("1,1"), QStringLiteral("--insignificant"), QStringLiteral("zero"),
             QStringLiteral("--json")});
        const QJsonArray point = extremum[QStringLiteral("point")].toArray();
        QCOMPARE(point.size(), qsizetype(2));
        for (int i = 0; i < 2; ++i)
            QCOMPARE(main.Plan().ExtremumPoint.Get(i), point[i].toDouble());
        QCOMPARE(main.Plan().Predict(main.Plan().ExtremumPoint.Elements()),
                 extremum[QStringLiteral("value")].toDouble());
        main.Plan().Modified = false;
        for (int i = 0; i < 5; ++i)
            main.Host().ClearDataWindowEdited(static_cast<TDataWindow>(i));
        SetMessageBoxHook({});
    }
};

QTEST_MAIN(TFullSessionTest)
#include "FullSessionTest.moc"
