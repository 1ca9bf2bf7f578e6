// Every command a researcher uses, through the main window as a person
// drives it, on a central composite rotatable plan of 3 factors (15 runs) and
// of 10 factors (1045 runs), 3 repeats each. Modal windows are answered the
// moment they show, so each time is the command's own work plus the painting
// that follows it. Target: none holds the window for more than 0.2 s (the
// extremum search shows its progress instead and is not timed here). The
// resident memory with the 10-factor plan analysed and its report shown is
// reported as counters (target: under 150 MB).
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise; the
// settings go to a temporary ORVAN32_HOME unless one is set.

#include "dialogs/ExtremumDialog.h"
#include "dialogs/NewDialog.h"
#include "dialogs/StepOneForm.h"
#include "dialogs/WizardSpinEdit.h"
#include "dialogs/YMparams.h"
#include "mteditor/MTEditForm.h"
#include "numeric/NamedMatrix.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "shell/GraphWindows.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"
#include "shell/PlanWindows.h"
#include "shell/QtPlanHost.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <sstream>

using namespace orvanta;

namespace {

QString Folder;

QString InFolder(const QString& name) {
    return Folder + QLatin1Char('/') + name;
}

QString PlanName(std::int64_t k) {
    return InFolder(QStringLiteral("ccr%1.mpl").arg(k));
}

// One of the plan's items as the batch tool exports it.
QString ItemName(std::int64_t k, const char* item) {
    return InFolder(QStringLiteral("ccr%1-%2.txt").arg(k).arg(QString::fromLatin1(item)));
}

bool Batch(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(ORVAN_BINARY), arguments);
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

// The coded matrix as the batch tool exports it: a header line, then the
// runs' values.
std::vector<std::vector<double>> ReadCodeMatrix(const QString& file, std::int64_t k) {
    std::ifstream in(file.toStdString());
    std::string header;
    std::getline(in, header);
    std::vector<std::vector<double>> rows;
    std::vector<double> row;
    double value = 0.0;
    while (in >> value) {
        row.push_back(value);
        if (static_cast<std::int64_t>(row.size()) == k)
            rows.push_back(std::exchange(row, {}));
    }
    return rows;
}

// Three repeats of a quadratic response with every term well above the
// noise, so that the analysis keeps the full model and finds it adequate.
std::string Responses(const std::vector<std::vector<double>>& runs) {
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 0.05);
    std::ostringstream table;
    for (const auto& x : runs) {
        double y = 50.0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            y += (2.0 + 0.5 * static_cast<double>(i)) * x[i] - 1.5 * x[i] * x[i];
            for (std::size_t j = i + 1; j < x.size(); ++j)
                y += 0.8 * x[i] * x[j];
        }
        for (int repeat = 0; repeat < 3; ++repeat)
            table << FormatFull(y + noise(random)) << (repeat < 2 ? ' ' : '\n');
    }
    return table.str();
}

// The plan of k factors with its responses, and its items exported for the
// import commands.
bool MakePlan(std::int64_t k) {
    const QString plan = PlanName(k);
    const QString factors = QString::number(k);
    if (!Batch({QStringLiteral("new"), QStringLiteral("--builtin"), QStringLiteral("ccr"),
                QStringLiteral("--factors"), factors, QStringLiteral("--repeats"),
                QStringLiteral("3"), QStringLiteral("-o"), plan}))
        return false;
    const auto exportItem = [&](const char* item) {
        return Batch({QStringLiteral("export"), plan, QStringLiteral("--item"),
                      QString::fromLatin1(item), QStringLiteral("-o"), ItemName(k, item)});
    };
    if (!exportItem("code"))
        return false;
    const QString table = InFolder(QStringLiteral("y%1.txt").arg(k));
    std::ofstream(table.toStdString()) << Responses(ReadCodeMatrix(ItemName(k, "code"), k));
    if (!Batch({QStringLiteral("set"), plan, QStringLiteral("--responses"), table}))
        return false;
    for (const char* item : {"levels", "intervals", "responses"})
        if (!exportItem(item))
            return false;
    return true;
}

// A person who answers each modal window as soon as it shows: by its act
// when it has one, a file dialog with the file named for it, anything else
// with its "OkButton" (rejected when it has none).
class TAnswerer : public QObject {
public:
    std::map<QString, std::function<void(QWidget*)>> Acts;
    // The file a save dialog writes (removed first, so that no overwrite
    // question comes up) and the file an open dialog with the given title
    // reads.
    std::function<QString()> SaveName;
    std::function<QString(const QString& title)> OpenName;

    TAnswerer() { qApp->installEventFilter(this); }
    ~TAnswerer() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow() && widget->isModal()) {
            QTimer::singleShot(0, this, [this, window = QPointer<QWidget>(widget)] {
                if (window && window->isVisible())
                    Answer(window);
            });
        }
        return false;
    }

private:
    void Answer(QWidget* window) {
        if (auto act = Acts.find(window->objectName()); act != Acts.end()) {
            act->second(window);
        } else if (auto* files = qobject_cast<QFileDialog*>(window)) {
            const bool save = files->acceptMode() == QFileDialog::AcceptSave;
            const QString name = save ? SaveName() : OpenName(files->windowTitle());
            if (save)
                QFile::remove(name);
            // Selecting the file clears the list's selection, which would
            // otherwise win over the typed name.
            files->selectFile(name);
            files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
            static_cast<QDialog*>(files)->accept();
        } else if (auto* ok = window->findChild<QPushButton*>(QStringLiteral("OkButton"))) {
            ok->click();
        } else if (auto* dialog = qobject_cast<QDialog*>(window)) {
            dialog->reject();
        }
    }
};

enum class TStage { Empty, Open, Analysed };

// The main window as the program starts it, without the settings file, with
// a fresh copy of the plan of k factors open (and analysed) when asked.
class TSession {
public:
    TSession(std::int64_t k, TStage stage) : K(k) {
        Settings().SetDefaults();
        SetDecimalSeparator('.');
        SetMessageBoxHook([this](TBoxKind, const std::string&) { return BoxAnswer; });
        Answers.SaveName = [this] {
            return InFolder(QStringLiteral("saved%1-%2.txt").arg(K).arg(++Saves));
        };
        Answers.OpenName = [this](const QString& title) { return OpenName(title); };
        TMainFormOptions options;
        options.ProgramFolder = ORVAN_BIN_DIR;
        options.ReadSettingsFile = false;
        options.WriteSettingsAtExit = false;
        if (stage != TStage::Empty)
            options.Arguments = {WorkCopy()};
        Main = std::make_unique<TMainForm>(options);
        Main->show();
        Main->ClockTimerTimer();
        if (stage == TStage::Analysed)
            Time("AnalysisItem");
    }

    ~TSession() {
        Main->Plan().Modified = false;
        for (int i = 0; i < 5; ++i)
            Main->Host().ClearDataWindowEdited(static_cast<TDataWindow>(i));
        Main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetMessageBoxHook({});
    }

    // A fresh copy of the plan, which the session may change and save.
    QString WorkCopy() const {
        const QString copy = InFolder(QStringLiteral("work%1.mpl").arg(K));
        QFile::remove(copy);
        QFile::copy(PlanName(K), copy);
        return copy;
    }

    // Milliseconds from the command to the window painted after it.
    double Time(const char* item) {
        QAction* action = Main->findChild<QAction*>(QString::fromLatin1(item));
        return Time([action] { action->trigger(); });
    }
    static double Time(const std::function<void()>& command) {
        QElapsedTimer timer;
        timer.start();
        command();
        QCoreApplication::processEvents();
        return static_cast<double>(timer.nsecsElapsed()) * 1e-9;
    }

    TRaruRuro& Plan() { return Main->Plan(); }

    std::unique_ptr<TMainForm> Main;
    TAnswerer Answers;
    TAnswer BoxAnswer = TAnswer::Yes;

private:
    QString OpenName(const QString& title) const {
        if (title.contains(QStringLiteral("кодовой")))
            return ItemName(K, "code");
        if (title.contains(QStringLiteral("основных")))
            return ItemName(K, "levels");
        if (title.contains(QStringLiteral("интервалов")))
            return ItemName(K, "intervals");
        if (title.contains(QStringLiteral("откликов")))
            return ItemName(K, "responses");
        return WorkCopy();
    }

    std::int64_t K;
    int Saves = 0;
};

std::int32_t Runs(std::int64_t k) {
    return (1 << k) + 2 * static_cast<std::int32_t>(k) + 1;
}

// A command repeated on one session, each run prepared and tidied up
// outside the time.
void Repeat(benchmark::State& state, TStage stage, const char* item,
            const std::function<void(TSession&)>& prepare = {},
            const std::function<void(TSession&)>& tidy = {}) {
    TSession session(state.range(0), stage);
    for (auto _ : state) {
        if (prepare)
            prepare(session);
        state.SetIterationTime(session.Time(item));
        if (tidy)
            tidy(session);
    }
}

// A command that needs a session of its own each time.
void Fresh(benchmark::State& state, TStage stage, const std::function<double(TSession&)>& command,
           const std::function<bool(TSession&)>& done) {
    for (auto _ : state) {
        TSession session(state.range(0), stage);
        state.SetIterationTime(command(session));
        if (!done(session)) {
            state.SkipWithError("the command did not finish");
            break;
        }
    }
}

long ProcStatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(key.size()));
    return -1;
}

// ---- The benchmarks ----

// Runs first, before the other benchmarks have grown the heap; the peak is
// reset (clear_refs 5) so that it belongs to this plan alone.
void MemoryWithPlanAnalysed(benchmark::State& state) {
    for (auto _ : state) {
        std::ofstream("/proc/self/clear_refs") << "5";
        TSession session(state.range(0), TStage::Analysed);
        session.Time("UpdateReportItem");
        state.counters["VmRSS_MB"] = static_cast<double>(ProcStatusKb("VmRSS")) / 1024.0;
        state.counters["VmHWM_MB"] = static_cast<double>(ProcStatusKb("VmHWM")) / 1024.0;
        state.SetIterationTime(0.0);
    }
}

void OpenPlan(benchmark::State& state) {
    Fresh(
        state, TStage::Empty, [](TSession& s) { return s.Time("OpenItem"); },
        [&state](TSession& s) { return s.Plan().RunCount == Runs(state.range(0)); });
}

void Analysis(benchmark::State& state) {
    Fresh(
        state, TStage::Open, [](TSession& s) { return s.Time("AnalysisItem"); },
        [](TSession& s) { return s.Plan().HasBVector; });
}

void ClosePlan(benchmark::State& state) {
    Fresh(
        state, TStage::Analysed,
        [](TSession& s) {
            s.BoxAnswer = TAnswer::No;
            return s.Time("CloseItem");
        },
        [](TSession& s) { return !s.Plan().HasCodeMatrix && !s.Plan().HasYMatrix; });
}

void NewPlanWizard(benchmark::State& state) {
    const std::int64_t k = state.range(0);
    Fresh(
        state, TStage::Empty,
        [k](TSession& s) {
            s.Answers.Acts[QStringLiteral("StepOneForm")] = [](QWidget* w) {
                auto* step = static_cast<TStepOneForm*>(w);
                step->RBOld->setChecked(true);
                step->ForwardButton->click();
            };
            s.Answers.Acts[QStringLiteral("NewDialog")] = [k](QWidget* w) {
                auto* dialog = static_cast<TNewDialog*>(w);
                dialog->CCRButton->click();
                dialog->EDegree->SetText(QString::number(k));
                dialog->OKButton->click();
            };
            s.Answers.Acts[QStringLiteral("YMparams")] = [](QWidget* w) {
                auto* dialog = static_cast<TYMparams*>(w);
                dialog->ERepeats->setText(QStringLiteral("3"));
                dialog->OkButton->click();
            };
            return s.Time("NewItem");
        },
        [k](TSession& s) { return s.Plan().RunCount == Runs(k) && s.Plan().HasYMatrix; });
}

void ImportAll(benchmark::State& state) {
    const std::int64_t k = state.range(0);
    Fresh(
        state, TStage::Empty, [](TSession& s) { return s.Time("ImportAllItem"); },
        [k](TSession& s) { return s.Plan().HasYMatrix && s.Plan().RunCount == Runs(k); });
}

void Command(benchmark::State& state, TStage stage, const char* item) {
    Repeat(state, stage, item);
}

// A graph window is closed after each run, so that each run computes and
// opens it anew.
const std::vector<const char*> DiagramPages = {"DiagramStep1", "DiagramStep2", "DiagramStep3"};
const std::vector<const char*> SurfacePages = {"SurfaceStep1", "SurfaceStep2", "DiagramStep3"};

void Graph(benchmark::State& state, const char* item, const std::vector<const char*>& pages) {
    TSession session(state.range(0), TStage::Analysed);
    for (const char* page : pages)
        session.Answers.Acts[QString::fromLatin1(page)] = [](QWidget* w) {
            w->findChild<QPushButton*>(QStringLiteral("ForwardButton"))->click();
        };
    const bool diagram = std::string(item) == "DiagramItem";
    for (auto _ : state) {
        state.SetIterationTime(session.Time(item));
        TGraphWindows& graphs = session.Main->Host().Graphs();
        QMdiSubWindow* window = diagram ? graphs.DiagramWindow() : graphs.SurfaceWindow();
        if (!window) {
            state.SkipWithError("no graph window");
            break;
        }
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The responses' first column replaced by a pasted column of the same
// length, as copied from a spreadsheet.
void PasteResponsesColumn(benchmark::State& state) {
    TSession session(state.range(0), TStage::Open);
    TMTEditForm* grid = session.Main->Host().Windows().Editor(TDataWindow::Responses);
    if (!grid) {
        state.SkipWithError("no responses window");
        return;
    }
    const TNamedMatrix& y = session.Plan().YMatrix;
    QString column;
    for (std::int32_t i = 0; i < y.RowCount(); ++i)
        column += QString::fromStdString(FormatFull(y.Get(i, 0) + 1.0)) + QStringLiteral("\r\n");
    QGuiApplication::clipboard()->setText(column);
    for (auto _ : state) {
        grid->SelectRect({1, 1, 1, y.RowCount()});
        state.SetIterationTime(TSession::Time([grid] { grid->PasteItemClick(); }));
    }
}

// The random search with a billion draws, which runs for minutes, stopped
// with "Остановить" after a second and a half. Its time is from the click to
// the end of the command; the counter is the longest stretch the window went
// without handling its events (a 10 ms timer's largest gap).
void ExtremumStopped(benchmark::State& state) {
    TSession session(state.range(0), TStage::Analysed);
    session.Answers.Acts[QStringLiteral("ExtremumDialog")] = [](QWidget* w) {
        auto* dialog = static_cast<TExtremumDialog*>(w);
        dialog->CBMethod->setCurrentIndex(0);
        dialog->SEApproximations->setText(QStringLiteral("1000000000"));
        dialog->OkButton->click();
    };
    QPointer<QWidget> progress;
    session.Answers.Acts[QStringLiteral("ExProgress")] = [&progress](QWidget* w) { progress = w; };
    for (auto _ : state) {
        QElapsedTimer search, sinceTick, sinceStop;
        qint64 longestGap = 0;
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            if (progress && progress->isVisible())
                longestGap = std::max(longestGap, sinceTick.restart());
            else
                sinceTick.restart();
            if (progress && search.elapsed() > 1500 && !sinceStop.isValid()) {
                sinceStop.start();
                progress->findChild<QPushButton*>(QStringLiteral("StopButton"))->click();
            }
        });
        search.start();
        sinceTick.start();
        ticks.start(10);
        session.Time("ExtremumItem");
        ticks.stop();
        if (!sinceStop.isValid() || !session.Plan().HasExtremumPoint) {
            state.SkipWithError("the search was not stopped with its point");
            break;
        }
        state.SetIterationTime(static_cast<double>(sinceStop.nsecsElapsed()) * 1e-9);
        state.counters["longest_gap_ms"] = static_cast<double>(longestGap);
    }
}

// Tiling tiled windows (or cascading cascaded ones) moves nothing: each
// arrangement starts from the other one.
void TileFirst(TSession& s) {
    s.Time("TileItem");
}
void CascadeFirst(TSession& s) {
    s.Time("CascadeItem");
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(3)->Arg(10)->Unit(benchmark::kMillisecond)->UseManualTime();
}

BENCHMARK(MemoryWithPlanAnalysed)->Arg(10)->Iterations(1)->UseManualTime();
BENCHMARK(OpenPlan)->Apply(Sizes);
BENCHMARK(Analysis)->Apply(Sizes);
BENCHMARK_CAPTURE(Command, Report, TStage::Analysed, "UpdateReportItem")->Apply(Sizes);
BENCHMARK_CAPTURE(Repeat, Save, TStage::Analysed, "SaveItem", [](TSession& s) {
    s.Plan().Modified = true;
})->Apply(Sizes);
BENCHMARK_CAPTURE(Command, SaveAs, TStage::Analysed, "SaveAsItem")->Apply(Sizes);
BENCHMARK_CAPTURE(Command, ExportAll, TStage::Analysed, "ExportAllItem")->Apply(Sizes);
BENCHMARK_CAPTURE(Command, ExportCode, TStage::Analysed, "ExportCItem")->Apply(Sizes);
BENCHMARK_CAPTURE(Command, ExportNatural, TStage::Analysed, "ExportNItem")->Apply(Sizes);
BENCHMARK_CAPTURE(Command, ExportLevels, TStage::Analysed, "ExportMLItem")->Apply(Sizes);
BENCHMARK_CAPTURE(Command, ExportIntervals, TStage::Analysed, "ExportDFItem")->Apply(Sizes);
BENCHMARK_CAPTURE(Command, ExportResponses, TStage::Analysed, "ExportDataItem")->Apply(Sizes);
BENCHMARK_CAPTURE(Command, ExportReport, TStage::Analysed, "ExportReportItem")->Apply(Sizes);
BENCHMARK_CAPTURE(Command, ImportResponses, TStage::Open, "ImportDataItem")->Apply(Sizes);
BENCHMARK(ImportAll)->Apply(Sizes);
BENCHMARK(NewPlanWizard)->Apply(Sizes);
BENCHMARK_CAPTURE(Graph, Diagram, "DiagramItem", DiagramPages)->Apply(Sizes);
BENCHMARK_CAPTURE(Graph, Surface, "SurfaceItem", SurfacePages)->Apply(Sizes);
BENCHMARK_CAPTURE(Repeat, Cascade, TStage::Analysed, "CascadeItem", TileFirst)->Apply(Sizes);
BENCHMARK_CAPTURE(Repeat, Tile, TStage::Analysed, "TileItem", CascadeFirst)->Apply(Sizes);
BENCHMARK_CAPTURE(Command, Arrange, TStage::Analysed, "ArrangeItem")->Apply(Sizes);
BENCHMARK_CAPTURE(Command, OptionsOk, TStage::Analysed, "OptionsItem")->Apply(Sizes);
BENCHMARK_CAPTURE(Command, TranslateShown, TStage::Analysed, "TranslateItem")->Apply(Sizes);
BENCHMARK(PasteResponsesColumn)->Apply(Sizes);
BENCHMARK(ClosePlan)->Apply(Sizes);
BENCHMARK(ExtremumStopped)->Apply(Sizes)->Iterations(1);

// The offscreen platform warns at every window it cannot size to its hints;
// those lines would bury the table.
QtMessageHandler PreviousHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    if (PreviousHandler)
        PreviousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    Folder = folder.path();
    if (qEnvironmentVariableIsEmpty("ORVAN32_HOME"))
        qputenv("ORVAN32_HOME", InFolder(QStringLiteral("home")).toLocal8Bit());
    PreviousHandler = qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    for (std::int64_t k : {3, 10})
        if (!MakePlan(k)) {
            std::fprintf(stderr, "the batch tool did not make the plan of %lld factors\n",
                         static_cast<long long>(k));
            return 1;
        }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
