// The desktop program from start to exit, as a person goes through it: a
// rotatable plan for three factors from the wizard, the responses pasted
// into their grid, the factors named and their natural levels typed, the
// analysis with its forms answered, the report, the extremum, a diagram and
// a surface, saving, closing and reopening, every export, and the exit. The
// saved file and everything exported are checked against the batch tool on
// that file and against values worked out here.
#include "diagrams/GraphForm.h"
#include "dialogs/ReportForm.h"
#include "mteditor/MTEditForm.h"
#include "numeric/Cp1251.h"
#include "numeric/FileStream.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "services/SettingsFile.h"
#include "shell/GraphWindows.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"
#include "shell/PlanWindows.h"
#include "shell/QtPlanHost.h"
#include "surface3d/OpenGLWindow.h"

#include "MainWindowScript.h"
#include "SessionPerson.h"
#include "TempFolder.h"
#include "WalkthroughAnswers.h"
#include "WalkthroughChecks.h"
#include "WalkthroughData.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTextEdit>
#include <QValueAxis>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

using namespace orvanta;
using namespace orvanta::test;

namespace {

// The batch tool's output for the command on the plan with the options
// (separated by blanks), or nullopt when it failed.
std::optional<QByteArray> Batch(const char* command, const QString& plan, const QString& options) {
    QProcess process;
    process.start(QStringLiteral(ORVAN_BIN_DIR "/orvan"),
                  QStringList{QString::fromLatin1(command), plan} +
                      options.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

QJsonObject BatchJson(const char* command, const QString& plan, const QString& options) {
    return QJsonDocument::fromJson(Batch(command, plan, options).value_or(QByteArray())).object();
}

// The five data items: batch name, export command, dialog title and the
// name its dialog offers first.
struct TDataItem {
    const char* Name;
    const char* Command;
    const char* Title;
    const char* Offered;
};
const TDataItem DataItems[] = {
    {"code", "ExportCItem", "Экспорт кодовой матрицы", "Кодовая матрица.txt"},
    {"natural", "ExportNItem", "Экспорт матрицы в натуральном выражении",
     "Матрица планирования.txt"},
    {"levels", "ExportMLItem", "Экспорт вектора основных уровней", "Основные уровни.txt"},
    {"intervals", "ExportDFItem", "Экспорт вектора интервалов варьирования",
     "Интервалы варьирования.txt"},
    {"responses", "ExportDataItem", "Экспорт матрицы откликов", "Отклики.txt"},
};

} // namespace

class TWalkthroughTest : public QObject {
    Q_OBJECT

    TTempFolder Home{"orvan-walk-home"};
    TTempFolder Work{"orvan-walk"};
    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<TSessionPerson> Person;
    std::vector<std::string> Boxes;
    TAnswer Answer = TAnswer::Yes;
    std::vector<std::vector<double>> Responses;
    std::map<QString, QString> Fields;
    std::vector<double> FirstCoefficients;
    std::vector<double> FoundPoint;
    QStringList Shown;
    QString PlanPath;
    std::map<std::string, std::string> Exported;

    TRaruRuro& Plan() { return Main->Plan(); }
    QString Path(const char* name) const { return Q(Work.File(name)); }
    void Trigger(const char* item) {
        QAction* action = Main->findChild<QAction*>(QString::fromLatin1(item));
        QVERIFY2(action, item);
        action->trigger();
    }
    // Runs the command; the person met exactly `windows` (names separated
    // by blanks), none of them left unanswered.
    void Step(const char* item, const char* windows) {
        Person->Seen.clear();
        Trigger(item);
        QCOMPARE(Person->Seen,
                 QString::fromLatin1(windows).split(QLatin1Char(' '), Qt::SkipEmptyParts));
        QVERIFY2(Person->Stuck.isEmpty(), qPrintable(Person->Stuck.join(QLatin1Char(' '))));
    }
    TMTEditForm* Editor(TDataWindow window) { return Main->Host().Windows().Editor(window); }

private slots:
    void initTestCase();
    void newRotatablePlanFromTheWizard();
    void responsesNamesAndNaturalLevels();
    void analysisWithItsFormsAnswered();
    void reportExtremumDiagramAndSurface();
    void savedClosedAndReopened();
    void savedPlanAnalysesAsTheFormsShowed();
    void exportAllOffersTheItemsNames();
    void eachItemExportsAsTheBatchTool_data();
    void eachItemExportsAsTheBatchTool();
    void dataExportsHoldTheSessionsValues();
    void reportExportsAsTheBatchToolComposesIt();
    void graphExportsAsTheBatchToolWritesThem();
    void exitWritesTheSettings();
};

void TWalkthroughTest::initTestCase() {
    // The settings file of this session only, read at the start (there is
    // none yet) and written at the exit; the batch tool finds it there too.
    qputenv("ORVAN32_HOME", QByteArray::fromStdString(Home.Path));
    CatchMessageBoxes(Boxes, [this] { return Answer; });
    Settings().SetDefaults();
    SetDecimalSeparator('.');
    TMainFormOptions options;
    options.ProgramFolder = ORVAN_BIN_DIR;
    Main = std::make_unique<TMainForm>(options);
    Main->show();
    Main->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(Main.get()));
    Main->ClockTimerTimer();
    QCOMPARE(Boxes, std::vector<std::string>{"Конфигурационный фай]л не найден.\nБудут "
                                             "использованы установки по умолчанию."});
    Boxes.clear();
    Person = std::make_unique<TSessionPerson>();
    AnswerBuiltinPlanWizard(*Person, &TNewDialog::CCRButton, 3, 2);
    AnswerTheFactorNames(*Person);
    AnswerTheAnalysis(*Person, Fields);
    AnswerTheGraphWizards(*Person);
    AnswerTheExtremum(*Person, Shown);
}

void TWalkthroughTest::newRotatablePlanFromTheWizard() {
    Step("NewItem", "StepOneForm NewDialog YMparams");
    // Eight factorial runs, three pairs of star points at 2^(3/4) and the
    // centre.
    QCOMPARE(Plan().PlanKind, std::uint8_t(2));
    QCOMPARE(Plan().FactorCount, 3);
    QCOMPARE(Plan().RunCount, 15);
    QCOMPARE(Plan().RepeatCount, 2);
    QVERIFY(std::abs(Plan().StarArm - std::pow(2.0, 0.75)) < 1e-12);
    for (TDataWindow window : {TDataWindow::CodeMatrix, TDataWindow::BaseLevels,
                               TDataWindow::Intervals, TDataWindow::Responses})
        QVERIFY(Editor(window) && Editor(window)->isVisible());
    QVERIFY(Boxes.empty());
}

void TWalkthroughTest::responsesNamesAndNaturalLevels() {
    TMTEditForm* grid = Editor(TDataWindow::Responses);
    QVERIFY(grid);
    Responses = ResponsesAt(Plan().CodeMatrix);
    QGuiApplication::clipboard()->setText(Q(ResponsesText(Responses)));
    grid->activateWindow();
    grid->findChild<QAction*>(QStringLiteral("SelectAllItem"))->trigger();
    QAction* paste = grid->findChild<QAction*>(QStringLiteral("PasteItem"));
    QTRY_VERIFY(paste->isEnabled());
    paste->trigger();
    for (std::int32_t i = 0; i < Plan().RunCount; ++i)
        for (std::int32_t j = 0; j < 2; ++j)
            QCOMPARE(Plan().YMatrix.Get(i, j), Responses[i][j]);

    Step("KNamesItem", "KNamesForm");
    QCOMPARE(Plan().FactorNames, FactorNames);

    for (int j = 0; j < 3; ++j) {
        EnterValue(*Editor(TDataWindow::BaseLevels), {j, 1}, QString::number(BaseLevels[j]));
        EnterValue(*Editor(TDataWindow::Intervals), {j, 1}, QString::number(Intervals[j]));
    }
    // The natural matrix follows at once: base level + interval × coded.
    for (std::int32_t i = 0; i < Plan().RunCount; ++i)
        for (int j = 0; j < 3; ++j)
            QCOMPARE(Plan().NaturalMatrix.Get(i, j),
                     BaseLevels[j] + Intervals[j] * Plan().CodeMatrix.Get(i, j));
    QVERIFY(Main->windowTitle().startsWith(QStringLiteral("[без имени] (изменен) - ")));
    QVERIFY(Boxes.empty());
}

void TWalkthroughTest::analysisWithItsFormsAnswered() {
    Step("AnalysisItem",
         "CohrenCompleteForm ModelChangeDialog StudentCompleteForm FisherCompleteForm");
    QVERIFY(Plan().HasBVector);
    QCOMPARE(Plan().BVector.Size(), 10);
    FirstCoefficients.assign(Plan().BVector.Elements(), Plan().BVector.Elements() + 10);
    // Worked out here from the pasted responses: Cochran's G is the largest
    // run variance over their sum, and its 5 % critical value for 15 runs of
    // two repeats is 0.4709 in the published tables.
    double largest = 0.0, sum = 0.0;
    for (const auto& run : Responses) {
        const double variance = (run[0] - run[1]) * (run[0] - run[1]) / 2.0;
        largest = std::max(largest, variance);
        sum += variance;
    }
    QVERIFY(std::abs(Fields[QStringLiteral("CohrenCompleteForm.ECH_R")].toDouble() -
                     largest / sum) < 1e-4);
    QVERIFY(std::abs(Fields[QStringLiteral("CohrenCompleteForm.ECH_T")].toDouble() - 0.4709) <
            5e-4);
    // The fit finds the generating polynomial within the disturbance; terms
    // it does not have are insignificant and were zeroed on the answer.
    for (int i = 0; i < 10; ++i)
        QVERIFY2(std::abs(FirstCoefficients[i] - TrueCoefficients[i]) < 0.15,
                 qPrintable(QString::number(i)));
    for (int zero : {5, 6, 9})
        QCOMPARE(FirstCoefficients[zero], 0.0);
    QCOMPARE(Fields[QStringLiteral("StudentCompleteForm.EActualBSize")], QStringLiteral("7"));
    QVERIFY(!Settings().CBStudentResultsShow);
    QVERIFY(Boxes.empty());
}

void TWalkthroughTest::reportExtremumDiagramAndSurface() {
    Step("UpdateReportItem", "");
    TReportForm* report = Main->Host().Windows().Report();
    QVERIFY(report && report->isVisible());
    QCOMPARE(Main->MdiArea().currentSubWindow(),
             Main->Host().Windows().SubWindow(TPlanWindow::Report));
    const QString text = report->Edit->toPlainText();
    QVERIFY(text.contains(QStringLiteral("Результаты анализа адекватности по критерию Фишера")));
    QVERIFY(!report->IsModified());

    Person->Seen.clear();
    Trigger("ExtremumItem");
    QCOMPARE(
        Person->Seen.filter(QStringLiteral("Extremum")),
        QStringList({QStringLiteral("ExtremumDialog"), QStringLiteral("ExtremumResultDialog")}));
    QVERIFY(Plan().HasExtremumPoint);
    FoundPoint.assign(Plan().ExtremumPoint.Elements(), Plan().ExtremumPoint.Elements() + 3);

    Step("DiagramItem", "DiagramStep1 DiagramStep2 DiagramStep3");
    TGraphForm* diagram = Main->Host().Graphs().Diagram();
    QVERIFY(diagram);
    QCOMPARE(diagram->Series->count(), 21);
    QCOMPARE(diagram->AxisX->titleText(), Q(FactorNames[1]));

    Step("SurfaceItem", "SurfaceStep1 SurfaceStep2 DiagramStep3");
    QCOMPARE(Main->Service().Graphs.SurfaceVertices.Count(), 12 * 8);
    TOpenGLWindow* view = Main->Host().Graphs().Surface();
    QVERIFY(view);
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QTRY_VERIFY(view->RenderState() != 0);
    QVERIFY(ColouredPixels(view->CaptureWindow()) > 1000);
    QVERIFY(Boxes.empty());
}

void TWalkthroughTest::savedClosedAndReopened() {
    // A name without extension gets the plan files' one.
    Person->FileNames = {Path("walk")};
    Step("SaveItem", "SaveDialog");
    PlanPath = Path("walk.mpl");
    QCOMPARE(Q(Plan().FileName), PlanPath);
    QVERIFY(QFileInfo::exists(PlanPath));
    QCOMPARE(Main->windowTitle(), QStringLiteral("walk - Орванта"));
    QCOMPARE(Person->FileDialogs.back().Title,
             QStringLiteral("Сохранить как новый файл планирования"));

    // Saved: closing asks nothing and empties the plan and its windows.
    Step("CloseItem", "");
    QVERIFY(Boxes.empty());
    QVERIFY(!Plan().HasFactorCount && !Plan().HasCodeMatrix && !Plan().HasYMatrix &&
            !Plan().HasBVector);
    QVERIFY(!Main->Host().Graphs().SurfaceWindow() && !Main->Host().Graphs().DiagramWindow());

    Person->FileNames = {PlanPath};
    Step("OpenItem", "OpenDialog");
    QCOMPARE(Person->FileDialogs.back().Title, QStringLiteral("Открыть файл планирования"));
    QCOMPARE(Plan().FactorNames, FactorNames);
    // The windows show what was typed and pasted (levels to four and
    // responses to five significant digits, which they all have).
    TMTEditForm* levels = Editor(TDataWindow::BaseLevels);
    TMTEditForm* intervals = Editor(TDataWindow::Intervals);
    TMTEditForm* responses = Editor(TDataWindow::Responses);
    QVERIFY(levels && intervals && responses && responses->isVisible());
    const auto shows = [](TMTEditForm* window, TGridCell cell) {
        return std::stod(window->Grid().Text(cell));
    };
    for (int j = 0; j < 3; ++j) {
        QCOMPARE(shows(levels, {j, 1}), BaseLevels[j]);
        QCOMPARE(shows(intervals, {j, 1}), Intervals[j]);
    }
    for (std::int32_t i = 0; i < 15; ++i)
        for (std::int32_t j = 0; j < 2; ++j)
            QCOMPARE(shows(responses, {j + 1, i + 1}), Responses[i][j]);
    QVERIFY(!Main->windowTitle().contains(QStringLiteral("(изменен)")));

    // The same answers give the same equation.
    Step("AnalysisItem", "CohrenCompleteForm ModelChangeDialog FisherCompleteForm");
    QCOMPARE(std::vector<double>(Plan().BVector.Elements(), Plan().BVector.Elements() + 10),
             FirstCoefficients);
    QVERIFY(Boxes.empty());
}

void TWalkthroughTest::savedPlanAnalysesAsTheFormsShowed() {
    const QJsonObject analysis =
        BatchJson("analyze", PlanPath, QStringLiteral("--insignificant zero --json"));
    const auto text = [&analysis](const char* test, const char* value) {
        return Q(
            FormatFull(analysis[QString::fromLatin1(test)][QString::fromLatin1(value)].toDouble()));
    };
    const std::pair<const char*, QString> shown[] = {
        {"CohrenCompleteForm.ECH_R", text("cochran", "G")},
        {"CohrenCompleteForm.ECH_T", text("cochran", "critical")},
        {"FisherCompleteForm.EFS_R", text("fisher", "F")},
        {"FisherCompleteForm.EFS_T", text("fisher", "critical")},
        {"FisherCompleteForm.EDad",
         Q(FormatFull(analysis[QStringLiteral("adequacyVariance")].toDouble()))},
        {"StudentCompleteForm.EActualBSize",
         QString::number(analysis[QStringLiteral("significantCount")].toInt())},
    };
    for (const auto& [field, expected] : shown)
        QVERIFY2(Fields[QString::fromLatin1(field)] == expected, field);
    const QJsonArray coefficients = analysis[QStringLiteral("coefficients")].toArray();
    QCOMPARE(coefficients.size(), qsizetype(10));
    for (int i = 0; i < 10; ++i)
        QCOMPARE(coefficients[i].toObject()[QStringLiteral("value")].toDouble(),
                 FirstCoefficients[i]);

    const QJsonObject extremum = BatchJson(
        "extremum", PlanPath,
        QStringLiteral("--max --method gauss-seidel --count 10 --lower -1,-1,-1 --upper 1,1,1 "
                       "--insignificant zero --json"));
    const QJsonArray point = extremum[QStringLiteral("point")].toArray();
    QCOMPARE(point.size(), qsizetype(3));
    std::vector<double> found;
    for (int i = 0; i < 3; ++i)
        found.push_back(point[i].toDouble());
    QCOMPARE(FoundPoint, found);
    const double value = extremum[QStringLiteral("value")].toDouble();
    QCOMPARE(Shown.size(), qsizetype(7));
    QVERIFY(std::abs(Shown[0].toDouble() - value) <= 1e-13 * value);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(Shown[1 + 2 * i], QString::number(i + 1));
        QVERIFY(std::abs(Shown[2 + 2 * i].toDouble() - found[i]) < 1e-12);
    }
    // The generating polynomial rises along x3 everywhere and peaks in x1,
    // x2 where 4 - 5 x1 + 1.5 x2 = 0 and -3 + 1.5 x1 - 2.4 x2 = 0; ten steps
    // over [-1, 1] find that within one step of 0.2.
    const double peak[] = {(9.6 - 4.5) / 9.75, (-15.0 + 6.0) / 9.75, 1.0};
    for (int i = 0; i < 3; ++i)
        QVERIFY(std::abs(found[i] - peak[i]) <= 0.2);
    QVERIFY(std::abs(Polynomial(FirstCoefficients, found) - value) <= 1e-13 * value);
}

void TWalkthroughTest::exportAllOffersTheItemsNames() {
    Person->FileNames.clear();
    for (const TDataItem& item : DataItems)
        Person->FileNames.push_back(Path("all-") + QString::fromLatin1(item.Name));
    Person->FileDialogs.clear();
    Step("ExportAllItem", "SaveDialog SaveDialog SaveDialog SaveDialog SaveDialog");
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(Person->FileDialogs[i].Title, QString::fromUtf8(DataItems[i].Title));
        QCOMPARE(Person->FileDialogs[i].Offered, QString::fromUtf8(DataItems[i].Offered));
    }
}

void TWalkthroughTest::eachItemExportsAsTheBatchTool_data() {
    QTest::addColumn<int>("item");
    for (int i = 0; i < 5; ++i)
        QTest::newRow(DataItems[i].Name) << i;
}

// Each single export offers the name last chosen for its item; what it
// writes is what "Все данные ..." wrote and what the batch tool writes.
void TWalkthroughTest::eachItemExportsAsTheBatchTool() {
    QFETCH(int, item);
    const QString name = QString::fromLatin1(DataItems[item].Name);
    Person->FileNames = {Path("one-") + name + QStringLiteral(".dat")};
    Step(DataItems[item].Command, "SaveDialog");
    QCOMPARE(Person->FileDialogs.back().Title, QString::fromUtf8(DataItems[item].Title));
    QCOMPARE(Person->FileDialogs.back().Offered, QStringLiteral("all-%1.txt").arg(name));
    const QString batch = Path("batch-") + name;
    QVERIFY(Batch("export", PlanPath, QStringLiteral("--item %1 -o %2").arg(name, batch)));
    const std::string expected = ReadAll(batch.toStdString());
    QVERIFY(!expected.empty());
    QVERIFY(ReadAll(Work.File("all-" + name.toStdString() + ".txt")) == expected);
    QVERIFY(ReadAll(Work.File("one-" + name.toStdString() + ".dat")) == expected);
    Exported[name.toStdString()] = expected;
}

void TWalkthroughTest::dataExportsHoldTheSessionsValues() {
    QCOMPARE(Exported.size(), std::size_t(5));
    CheckTextExports(Exported, Responses);
}

void TWalkthroughTest::reportExportsAsTheBatchToolComposesIt() {
    Person->FileNames = {Path("report.txt")};
    Step("UpdateReportItem", "");
    Step("ExportReportItem", "SaveDialog");
    QCOMPARE(Person->FileDialogs.back().Title, QStringLiteral("Сохранение отчета"));
    // Plain text in the old code page with CR LF; apart from the time it was
    // composed, the window's text and the batch tool's report of the file.
    const std::string saved = ReadAll(Work.File("report.txt"));
    QVERIFY(saved.find("\r\n") != std::string::npos);
    const QStringList report = ReportLines(Cp1251ToUtf8(saved));
    QVERIFY(report.size() > 100);
    const auto batch = Batch("report", PlanPath, QStringLiteral("--insignificant zero"));
    QVERIFY(batch);
    QCOMPARE(report, ReportLines(batch->toStdString()));
    QCOMPARE(report,
             ReportLines(Main->Host().Windows().Report()->Edit->toPlainText().toStdString()));
}

// The wizards answered as for the windows; the batch tool over the same
// ranges, with the swept factors' levels at 0.
void TWalkthroughTest::graphExportsAsTheBatchToolWritesThem() {
    Person->FileNames = {Path("curve")};
    Step("ExportDiagramItem", "SaveDialog DiagramStep1 DiagramStep2 DiagramStep3");
    Person->FileNames = {Path("grid")};
    Step("ExportSurfaceItem", "SaveDialog SurfaceStep1 SurfaceStep2 DiagramStep3");
    QVERIFY(Batch("diagram", PlanPath,
                  QStringLiteral("--factor 2 --from -1 --to 1 --points 21 --at %1,0,%2 -o %3")
                      .arg(HeldLevels[0])
                      .arg(HeldLevels[2])
                      .arg(Path("batch-curve"))));
    QVERIFY(Batch("surface", PlanPath,
                  QStringLiteral("--factors 1,3 --from -1,-1.5 --to 1,1 --points 12,8 "
                                 "--at 0,%1,0 -o %2")
                      .arg(HeldLevels[1])
                      .arg(Path("batch-grid"))));
    const std::string curve = ReadAll(Work.File("curve.txt"));
    const std::string grid = ReadAll(Work.File("grid.grd"));
    QVERIFY(curve == ReadAll(Work.File("batch-curve")));
    QVERIFY(grid == ReadAll(Work.File("batch-grid")));
    CheckCurve(curve, FirstCoefficients);
    CheckGrid(grid, FirstCoefficients);
    QVERIFY(Boxes.empty());
}

void TWalkthroughTest::exitWritesTheSettings() {
    const std::string saved = ReadAll(PlanPath.toStdString());
    // Saved and unchanged since, the plan asks nothing on the way out; a
    // question would be answered "No" and leave the file as saved.
    Answer = TAnswer::No;
    Trigger("ExitItem");
    const bool closed = !Main->isVisible();
    Person.reset();
    // The settings go to their file as the window goes.
    Main.reset();
    SetMessageBoxHook({});
    QVERIFY(closed);
    QVERIFY(Boxes.empty());
    QCOMPARE(ReadAll(PlanPath.toStdString()), saved);
    const std::string file = ReadAll(Home.File("orvan32.cfg"));
    QCOMPARE(file.size(), std::size_t(736));
    QCOMPARE(file.substr(0, 4), std::string("MTST"));
    TSettings stored;
    TFileStream stream(Home.File("orvan32.cfg"));
    QCOMPARE(ReadSettings(stream, stored), TSettingsRead::Loaded);
    // What the person changed in the session is what the program kept.
    QVERIFY(!stored.CBStudentResultsShow);
    QVERIFY(stored.CBCohrenResultsShow && stored.CBFisherResultsShow);
}

QTEST_MAIN(TWalkthroughTest)
#include "WalkthroughTest.moc"
