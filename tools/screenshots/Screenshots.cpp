// orvan32_screenshots <folder> [plan.mpl]: starts the desktop program's main
// window on a plan, the way the program starts, and saves pictures of it and
// of its windows as PNG files into the folder (for the README and the help).
#include "designwindows/EvaluationForm.h"
#include "dialogs/CheckPointDlg.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "services/PlugIns.h"
#include "shell/AboutBox.h"
#include "shell/EvaluationWindow.h"
#include "shell/FormList.h"
#include "shell/GraphWindows.h"
#include "shell/HelpWindow.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"
#include "shell/OptionsForm.h"
#include "shell/PlanWindows.h"
#include "shell/PlotWindows.h"
#include "shell/QtPlanHost.h"
#include "shell/QuantilesForm.h"
#include "shell/StatisticsWindow.h"
#include "shell/WindowListHandler.h"
#include "statswindow/StatisticsForm.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <cstdio>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace {

void Settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

bool Save(QWidget& widget, const QDir& folder, const QString& name) {
    Settle();
    const QString path = folder.filePath(name);
    const bool saved = widget.grab().save(path, "PNG");
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write",
                 path.toLocal8Bit().constData());
    return saved;
}

// What to do with one modal window that comes up during a command.
enum class TReply { Forward, Cancel, Leave };
struct TModalStep {
    TModalStep() = default;
    TModalStep(QString file, std::function<void(QWidget&)> prepare = {},
               TReply reply = TReply::Forward)
        : File(std::move(file)), Prepare(std::move(prepare)), Reply(reply) {}

    QString File;                          // its picture, or none
    std::function<void(QWidget&)> Prepare; // set its fields before the picture
    // Leave: the window closes by itself (the extremum search's progress).
    TReply Reply = TReply::Forward;
};

// Answers the modal windows of one command in turn: each window gets the
// next step (its picture, then "Далее >>", "Ok" or its default button);
// windows beyond the steps are passed forward.
class TModalPerson : public QObject {
public:
    TModalPerson(const QDir* folder, std::vector<TModalStep> steps)
        : Folder(folder), Steps(std::move(steps)) {
        connect(&Timer, &QTimer::timeout, this, &TModalPerson::Tick);
        Timer.start(20);
    }

    // Every picture asked for was written.
    bool Ok() const { return Saved && Next >= Steps.size(); }

private:
    void Tick() {
        QWidget* window = QApplication::activeModalWidget();
        // A window waits for its answer until it closes.
        if (!window || window == Last) {
            Last = window;
            return;
        }
        Last = window;
        const TModalStep step = Next < Steps.size() ? Steps[Next++] : TModalStep{};
        if (step.Prepare)
            step.Prepare(*window);
        if (Folder && !step.File.isEmpty())
            Saved = Save(*window, *Folder, step.File) && Saved;
        if (step.Reply == TReply::Cancel)
            Close(*window);
        else if (step.Reply == TReply::Forward)
            Forward(*window);
    }

    static void Forward(QWidget& window) {
        for (const char* name : {"ForwardButton", "OkButton", "OKBtn"})
            if (auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
                button && button->isVisible() && button->isEnabled()) {
                button->click();
                return;
            }
        for (QPushButton* button : window.findChildren<QPushButton*>())
            if (button->isDefault() && button->isVisible()) {
                button->click();
                return;
            }
        Close(window);
    }

    static void Close(QWidget& window) {
        if (auto* dialog = qobject_cast<QDialog*>(&window))
            dialog->reject();
        else
            window.close();
    }

    const QDir* Folder;
    std::vector<TModalStep> Steps;
    std::size_t Next = 0;
    bool Saved = true;
    QPointer<QWidget> Last;
    QTimer Timer;
};

// A picture for the guide, scaled down to keep the file small.
bool SaveSmall(QWidget& widget, const QDir& folder, const QString& name, int width) {
    Settle();
    const QString path = folder.filePath(name);
    QPixmap picture = widget.grab();
    if (picture.width() > width)
        picture = picture.scaledToWidth(width, Qt::SmoothTransformation);
    // A palette of 256 colours keeps a whole window's picture small.
    const QImage image =
        picture.toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    const bool saved = image.save(path, "PNG");
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write",
                 path.toLocal8Bit().constData());
    return saved;
}

// Saves the window into the README folder and, when there is one, the
// guide's folder.
bool SaveBoth(QWidget& widget, const QDir& folder, const QDir* guide, const QString& name) {
    bool ok = Save(widget, folder, name);
    if (guide)
        ok = Save(widget, *guide, name) && ok;
    return ok;
}

// The fitted response of the plan along its first factor, with the runs'
// means, in the diagram window.
bool SaveDiagram(orvanta::TMainForm& main, const QDir& folder, const QDir* guide) {
    using namespace orvanta;
    if (!main.Service().Can(23))
        return true;
    Settings().CBPoints2D = true;
    SetMessageBoxHook([](TBoxKind, const std::string&) { return TAnswer::Yes; });
    if (!main.Service().Can(27)) {
        TModalPerson forward(nullptr, {});
        main.Service().RunAnalysis();
    }
    TModalPerson person(guide, {{}, {QStringLiteral("diagram-wizard.png")}, {}});
    const bool built = main.Service().NewDiagram();
    SetMessageBoxHook({});
    QMdiSubWindow* window = main.Host().Graphs().DiagramWindow();
    if (!built || !window) {
        std::fprintf(stderr, "no diagram of the plan\n");
        return false;
    }
    window->resize(720, 480);
    // The chart's grid moves to its place in an animation.
    for (int i = 0; i < 8; ++i)
        Settle();
    return SaveBoth(*window, folder, guide, QStringLiteral("diagram.png")) && person.Ok();
}

// The statistics window of the analysed plan: its analysis of variance for
// the README and the guide, and for the guide its canonical analysis and its
// diagnostics with the rows worth a look.
bool SaveStatistics(orvanta::TMainForm& main, const QDir& folder, const QDir* guide) {
    using namespace orvanta;
    if (!main.Service().Can(25))
        return true;
    main.StatisticsItemClick();
    TStatisticsForm* form = main.Host().Statistics().Form();
    QMdiSubWindow* window = main.Host().Statistics().Window();
    if (!form || !window) {
        std::fprintf(stderr, "no statistics of the plan\n");
        return false;
    }
    window->resize(760, 470);
    bool ok = SaveBoth(*window, folder, guide, QStringLiteral("statistics.png"));
    if (guide)
        for (const auto& [key, file] : {std::pair{"canonical", "statistics-canonical.png"},
                                        std::pair{"diagnostics", "statistics-diagnostics.png"}}) {
            for (int tab = 0; tab < form->Tabs->count(); ++tab)
                if (form->Tabs->widget(tab)->objectName() == QLatin1String(key))
                    form->Tabs->setCurrentIndex(tab);
            ok = SaveSmall(*window, *guide, QString::fromLatin1(file), 760) && ok;
        }
    window->close();
    return ok;
}

// The evaluation of the plan: its efficiencies for the README and the guide,
// and for the guide the fraction-of-design-space picture.
bool SaveEvaluation(orvanta::TMainForm& main, const QDir& folder, const QDir* guide) {
    using namespace orvanta;
    if (!main.Service().Can(20))
        return true;
    main.EvaluationItemClick();
    TEvaluationForm* form = main.Host().Evaluation().Form();
    QMdiSubWindow* window = main.Host().Evaluation().Window();
    if (!form || !window) {
        std::fprintf(stderr, "no evaluation of the plan\n");
        return false;
    }
    window->resize(760, 520);
    bool ok = SaveBoth(*window, folder, guide, QStringLiteral("evaluation.png"));
    if (guide) {
        QTabWidget* tabs = form->Tables->Tabs;
        for (int tab = 0; tab < tabs->count(); ++tab)
            if (tabs->widget(tab)->objectName() == QLatin1String("fds"))
                tabs->setCurrentIndex(tab);
        Settle();
        ok = SaveSmall(*window, *guide, QStringLiteral("evaluation-fds.png"), 760) && ok;
    }
    window->close();
    if (guide) {
        // The dialogs of the plan before the experiment, left with "Отмена".
        for (const auto& [command, file] :
             {std::pair{&TMainForm::RunSheetItemClick, "runsheet-dialog.png"},
              std::pair{&TMainForm::AugmentItemClick, "augment-dialog.png"}}) {
            TModalPerson person(guide, {{QString::fromLatin1(file), {}, TReply::Cancel}});
            (main.*command)();
            ok = person.Ok() && ok;
        }
    }
    return ok;
}

// The pictures of the model: the contour (through the surface's wizard
// pages, as they stand) and the residual panels for the README and the
// guide; the interaction and the trace for the guide.
bool SavePictures(orvanta::TMainForm& main, const QDir& folder, const QDir* guide) {
    using namespace orvanta;
    if (!main.Service().Can(28))
        return true;
    const struct {
        TPlotWindowKind Kind;
        void (TMainForm::*Command)();
        const char* File;
        bool Readme;
    } pictures[] = {
        {TPlotWindowKind::Contour, &TMainForm::ContourItemClick, "contour.png", true},
        {TPlotWindowKind::Residuals, &TMainForm::ResidualsItemClick, "residuals.png", true},
        {TPlotWindowKind::Interaction, &TMainForm::InteractionItemClick, "interaction.png", false},
        {TPlotWindowKind::Trace, &TMainForm::TraceItemClick, "trace.png", false},
    };
    bool ok = true;
    for (const auto& picture : pictures) {
        TModalPerson person(nullptr, {{}, {}, {}});
        (main.*picture.Command)();
        QMdiSubWindow* window = main.Host().Plots().Window(picture.Kind);
        if (!window) {
            std::fprintf(stderr, "no picture %s\n", picture.File);
            ok = false;
            continue;
        }
        window->resize(picture.Kind == TPlotWindowKind::Residuals ? QSize(820, 600)
                                                                  : QSize(720, 520));
        const QString file = QString::fromLatin1(picture.File);
        if (picture.Readme)
            ok = SaveBoth(*window, folder, guide, file) && ok;
        else if (guide)
            ok = Save(*window, *guide, file) && ok;
        window->close();
    }
    return ok;
}

// A picture of another bundled plan for the guide: the mixture's triangle,
// the screening experiment's effects with their half-normal plot.
bool SaveOnPlan(orvanta::TMainForm& main, const QDir& guide, const QDir& examples, const char* plan,
                void (orvanta::TMainForm::*command)(), orvanta::TPlotWindowKind kind,
                const char* file) {
    using namespace orvanta;
    main.Plan().Modified = false;
    if (main.Service().Can(4))
        main.Service().ClosePlan();
    if (!main.Service().OpenPlan(examples.filePath(QString::fromLatin1(plan)).toStdString()))
        return false;
    {
        TModalPerson forward(nullptr, {});
        main.Service().RunAnalysis();
    }
    (main.*command)();
    QMdiSubWindow* window = main.Host().Plots().Window(kind);
    if (!window) {
        std::fprintf(stderr, "no picture %s of %s\n", file, plan);
        return false;
    }
    window->resize(760, 540);
    const bool ok = Save(*window, guide, QString::fromLatin1(file));
    window->close();
    main.Plan().Modified = false;
    return ok;
}

// The fitted response over the plan's first two factors in the surface
// window.
bool SaveSurface(orvanta::TMainForm& main, const QDir& folder, const QDir* guide) {
    using namespace orvanta;
    if (!main.Service().Can(28))
        return true;
    TModalPerson person(guide, {{QStringLiteral("surface-wizard.png")}, {}, {}});
    const bool built = main.Service().NewSurface();
    QMdiSubWindow* window = main.Host().Graphs().SurfaceWindow();
    if (!built || !window) {
        std::fprintf(stderr, "no surface of the plan\n");
        return false;
    }
    window->resize(640, 520);
    for (int i = 0; i < 8; ++i)
        Settle();
    return SaveBoth(*window, folder, guide, QStringLiteral("surface.png")) && person.Ok();
}

// The about box over the upper part of the main window, whose tool panel
// shows the turning torus while the box is open.
bool SaveAbout(orvanta::TMainForm& main, const QDir& folder) {
    orvanta::TAboutBox about(&main);
    main.SetAnimation(true);
    about.show();
    about.move(main.geometry().center().x() - about.width() / 2, main.y() + 150);
    for (int i = 0; i < 9; ++i)
        Settle();
    QPixmap picture = main.grab();
    {
        QPainter painter(&picture);
        painter.drawPixmap(about.geometry().topLeft() - main.geometry().topLeft(), about.grab());
    }
    const QRect area(0, 0, picture.width() / picture.devicePixelRatio(),
                     about.geometry().bottom() - main.y() + 40);
    const QString path = folder.filePath(QStringLiteral("about.png"));
    const bool saved = picture.copy(area).save(path, "PNG");
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write",
                 path.toLocal8Bit().constData());
    about.close();
    main.SetAnimation(false);
    return saved;
}

// The new-plan wizard's first step, cancelled: taken before the plan opens.
bool SaveWizard(orvanta::TMainForm& main, const QDir& guide) {
    TModalPerson person(&guide, {{QStringLiteral("wizard-step1.png"), {}, TReply::Cancel}});
    main.Service().NewPlan();
    return person.Ok();
}

QWidget* PlanWindow(orvanta::TMainForm& main, orvanta::TPlanWindow which, QSize size) {
    QMdiSubWindow* window = main.Host().Windows().SubWindow(which);
    if (window) {
        window->showNormal();
        window->resize(size);
        main.MdiArea().setActiveSubWindow(window);
    }
    return window;
}

// The responses grid, the result forms of the full analysis and the report.
bool SaveAnalysis(orvanta::TMainForm& main, const QDir& guide) {
    using namespace orvanta;
    bool ok = true;
    if (QWidget* grid = PlanWindow(main, TPlanWindow::Responses, {420, 250}))
        ok = Save(*grid, guide, QStringLiteral("responses.png"));
    TModalPerson person(
        &guide,
        {{QStringLiteral("result-cochran.png")}, {}, {QStringLiteral("result-fisher.png")}});
    ok = main.Service().RunAnalysis() && person.Ok() && ok;
    if (QWidget* report = PlanWindow(main, TPlanWindow::Report, {620, 420}))
        ok = Save(*report, guide, QStringLiteral("report.png")) && ok;
    else
        ok = false;
    main.ArrangePlanWindows(true);
    return ok;
}

// The extremum dialog set to a maximum, its progress window and the result.
bool SaveExtremum(orvanta::TMainForm& main, const QDir& guide) {
    const auto maximum = [](QWidget& dialog) {
        if (auto* button = dialog.findChild<QRadioButton*>(QStringLiteral("RBMaximum")))
            button->setChecked(true);
    };
    TModalPerson person(&guide, {{QStringLiteral("extremum.png"), maximum},
                                 {QStringLiteral("extremum-progress.png"), {}, TReply::Leave},
                                 {QStringLiteral("extremum-result.png")}});
    const bool found = main.Service().FindExtremum();
    return found && person.Ok();
}

bool SaveTranslate(orvanta::TMainForm& main, const QDir& guide) {
    TModalPerson person(&guide, {{QStringLiteral("translate.png")}});
    main.Service().TranslateValue();
    return person.Ok();
}

bool SaveCheckPoint(orvanta::TMainForm& main, const QDir& guide) {
    if (!main.Service().ShowCheckPoint())
        return false;
    QWidget* window = main.Host().CheckPointWindow();
    if (!window)
        return false;
    const bool ok = Save(*window, guide, QStringLiteral("checkpoint.png"));
    if (auto* cancel = window->findChild<QPushButton*>(QStringLiteral("CancelButton")))
        cancel->click();
    window->close();
    return ok;
}

bool SaveOptions(orvanta::TMainForm& main, const QDir& guide) {
    QWidget& options = main.OptionsForm();
    options.show();
    const bool ok = Save(options, guide, QStringLiteral("options.png"));
    options.hide();
    return ok;
}

// Opens a bundled example in place of the current plan, without saving it.
bool OpenExample(orvanta::TMainForm& main, const QDir& examples, const char* name) {
    using namespace orvanta;
    main.Plan().Modified = false;
    TModalPerson person(nullptr, {});
    main.Service().ClosePlan();
    const QString path = examples.filePath(QString::fromLatin1(name));
    return main.Service().OpenPlan(path.toStdString());
}

// The simplex lattice tool on the mixture example.
bool SavePlugIn(orvanta::TMainForm& main, const QDir& guide, const QDir& examples) {
    if (!OpenExample(main, examples, "simplex32-blend.mpl"))
        return false;
    {
        TModalPerson person(nullptr, {});
        main.Service().RunAnalysis();
    }
    orvanta::TPlugIns& tools = main.PlugIns();
    for (std::int32_t i = 0; i < tools.ToolCount(); ++i)
        if (tools.ToolName(i) == "Сетка плоского симплекса" && tools.ToolEnabled(i)) {
            TModalPerson person(&guide,
                                {{QStringLiteral("plugin-lattice.png"), {}, TReply::Cancel}});
            tools.RunTool(i);
            return person.Ok();
        }
    std::fprintf(stderr, "the simplex lattice tool is not available\n");
    return false;
}

// The guide's pictures of the commands on the opened plan.
bool SaveGuide(orvanta::TMainForm& main, const QDir& guide) {
    if (!main.Service().Can(23))
        return false;
    bool ok = SaveAnalysis(main, guide);
    ok = SaveExtremum(main, guide) && ok;
    ok = SaveTranslate(main, guide) && ok;
    ok = SaveCheckPoint(main, guide) && ok;
    return SaveOptions(main, guide) && ok;
}

// The main window with its windows arranged, the window list, the quantile
// window, the about box and a help page.
bool SaveWindows(orvanta::TMainForm& main, const QDir& folder, const QDir* guide) {
    using namespace orvanta;
    bool ok = Save(main, folder, QStringLiteral("main-window.png"));
    if (guide)
        ok = SaveSmall(main, *guide, QStringLiteral("main-window.png"), 880) && ok;

    TFormList& arrange = main.Host().WindowLists().Dialog(TListOperation::Arrange);
    arrange.SetWindows(ListedWindows(TListOperation::Arrange, main.Service()));
    arrange.show();
    ok = Save(arrange, folder, QStringLiteral("arrange-dialog.png")) && ok;
    if (guide)
        ok = Save(arrange, *guide, QStringLiteral("window-list.png")) && ok;
    arrange.hide();

    main.QuantilesForm().ShowField(TQuantileWindowLogic::TInput::StudentF);
    ok = Save(main.QuantilesForm(), folder, QStringLiteral("quantiles.png")) && ok;
    main.QuantilesForm().close();

    ok = SaveAbout(main, folder) && ok;

    if (CallHelp(THelpCommand::Context, 3104)) {
        if (THelpWindow* help = THelpWindow::Current()) {
            help->resize(820, 640);
            ok = Save(*help, folder, QStringLiteral("help.png")) && ok;
        }
        CallHelp(THelpCommand::Quit);
    } else {
        std::fprintf(stderr, "no help page 3104\n");
        ok = false;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: orvan32_screenshots <folder> [plan.mpl [guide-folder]]\n");
        return 2;
    }
    QDir folder(args[0]);
    std::optional<QDir> guide;
    if (args.size() > 2)
        guide.emplace(args[2]);
    if (!folder.mkpath(QStringLiteral(".")) || (guide && !guide->mkpath(QStringLiteral(".")))) {
        std::fprintf(stderr, "cannot create the picture folders\n");
        return 1;
    }
    const QDir* guideFolder = guide ? &*guide : nullptr;

    using namespace orvanta;
    TMainFormOptions options;
    options.Arguments = args.mid(1, 1);
    options.ReadSettingsFile = false;
    options.WriteSettingsAtExit = false;
    TMainForm main(options);
    main.CreateDialogs();
    main.show();
    main.move(0, 0);
    main.resize(1100, 760);
    bool ok = !guide || SaveWizard(main, *guide);
    main.ClockTimerTimer();
    main.resize(1100, 760);
    if (main.Service().Can(5)) {
        main.UpdateReportItemClick();
        main.ArrangePlanWindows(true);
    }
    ok = SaveWindows(main, folder, guideFolder) && ok;
    if (guide)
        ok = SaveGuide(main, *guide) && ok;
    ok = SaveDiagram(main, folder, guideFolder) && ok;
    ok = SaveSurface(main, folder, guideFolder) && ok;
    ok = SaveStatistics(main, folder, guideFolder) && ok;
    ok = SaveEvaluation(main, folder, guideFolder) && ok;
    ok = SavePictures(main, folder, guideFolder) && ok;
    if (guide) {
        const QDir examples = QFileInfo(args[1]).absoluteDir();
        // The examples are shown, never saved.
        SetMessageBoxHook([](TBoxKind, const std::string& text) {
            std::fprintf(stderr, "message: %s\n", text.c_str());
            return TAnswer::No;
        });
        ok = SavePlugIn(main, *guide, examples) && ok;
        SetMessageBoxHook([](TBoxKind, const std::string&) { return TAnswer::Yes; });
        ok = SaveOnPlan(main, *guide, examples, "simplex32-blend.mpl", &TMainForm::ContourItemClick,
                        TPlotWindowKind::Contour, "ternary.png") &&
             ok;
        ok = SaveOnPlan(main, *guide, examples, "ffe24-screening.mpl", &TMainForm::EffectsItemClick,
                        TPlotWindowKind::Effects, "effects.png") &&
             ok;
    }
    main.Plan().Modified = false;
    return ok ? 0 : 1;
}
