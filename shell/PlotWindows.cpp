#include "shell/PlotWindows.h"

#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "plots/Pictures.h"
#include "plots/Ternary.h"
#include "plotwindows/PlotDrawing.h"
#include "plotwindows/PlotExport.h"
#include "plotwindows/PlotForm.h"
#include "shell/MainForm.h"
#include "shell/OptionsForm.h"
#include "shell/OptionsPages.h"
#include "shell/QtPlanHost.h"
#include "stats/StatisticsTables.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <qcustomplot.h>

namespace orvanta {

namespace {

// The options dialog's page "График".
constexpr int DiagramPage = 2;

const char* const WindowNames[PlotWindowKinds] = {
    "ContourWindow", "ResidualsWindow", "EffectsWindow", "InteractionWindow", "TraceWindow"};

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The coded value of an axis value of factor f.
double Coded(const TRaruRuro& plan, std::int32_t f, double value, bool natural) {
    if (!natural)
        return value;
    const double interval = plan.Intervals.Get(f);
    return interval != 0.0 ? (value - plan.BaseLevels.Get(f)) / interval : value;
}

} // namespace

TPlotWindows::TPlotWindows(QMdiArea& area, TMainForm& main) : Area(area), Main(main) {}

TPlotWindows::~TPlotWindows() {
    CloseAll();
}

const char* TPlotWindows::Caption(TPlotWindowKind kind) {
    switch (kind) {
    case TPlotWindowKind::Contour:
        return "Контурный график";
    case TPlotWindowKind::Residuals:
        return "Диагностика остатков";
    case TPlotWindowKind::Effects:
        return "Эффекты";
    case TPlotWindowKind::Interaction:
        return "Взаимодействие";
    case TPlotWindowKind::Trace:
        break;
    }
    return "Трассировка";
}

QMdiSubWindow* TPlotWindows::Window(TPlotWindowKind kind) const {
    return State(kind).Sub.data();
}

TPlotForm* TPlotWindows::Form(TPlotWindowKind kind) const {
    const QMdiSubWindow* sub = Window(kind);
    return sub ? qobject_cast<TPlotForm*>(sub->widget()) : nullptr;
}

bool TPlotWindows::IsOpen(TPlotWindowKind kind) const {
    return Window(kind) != nullptr;
}

bool TPlotWindows::IsMinimized(TPlotWindowKind kind) const {
    const QMdiSubWindow* sub = Window(kind);
    return sub && sub->isMinimized();
}

// What the picture needs from the person: the factors, their ranges and the
// levels of the others from the surface's wizard pages.
bool TPlotWindows::Ask(TPlotWindowKind kind) {
    const TRaruRuro& plan = Main.Plan();
    TState& state = State(kind);
    const std::int32_t k = plan.GetFactorCount();
    state.Reference.assign(static_cast<std::size_t>(std::max(k, 0)), 0.0);
    if (kind == TPlotWindowKind::Contour && IsMixturePlan(plan))
        return true;
    if (kind != TPlotWindowKind::Contour && kind != TPlotWindowKind::Interaction)
        return true;
    const auto answer = Main.Host().RunSurfaceWizard();
    if (!answer || answer->FactorX == answer->FactorY || answer->FactorX < 0 ||
        answer->FactorY < 0 || answer->FactorX >= k || answer->FactorY >= k ||
        static_cast<std::int32_t>(answer->Point.size()) != k)
        return false;
    state.Reference = answer->Point;
    state.Along = answer->FactorX;
    state.Other = answer->FactorY;
    TContourRequest& request = state.Contour;
    request.FactorX = answer->FactorX;
    request.FactorY = answer->FactorY;
    request.FromX = answer->XStart;
    request.ToX = answer->XEnd;
    request.FromY = answer->YStart;
    request.ToY = answer->YEnd;
    if (!(request.FromX < request.ToX))
        std::tie(request.FromX, request.ToX) = RunSpan(plan, request.FactorX);
    if (!(request.FromY < request.ToY))
        std::tie(request.FromY, request.ToY) = RunSpan(plan, request.FactorY);
    request.Fixed = answer->Point;
    return true;
}

TPlotForm* TPlotWindows::MakeWindow(TPlotWindowKind kind) {
    auto* form = new TPlotForm;
    form->ApplyLook(PlotLookOf(Settings()));
    form->OnFormat = [this] {
        TOptionsForm& options = Main.OptionsForm();
        options.Pages->setCurrentIndex(DiagramPage);
        options.Execute();
    };
    QMdiSubWindow* sub = Area.addSubWindow(form);
    sub->setObjectName(QString::fromLatin1(WindowNames[static_cast<std::size_t>(kind)]));
    sub->setWindowTitle(Text(Caption(kind)));
    sub->setAttribute(Qt::WA_DeleteOnClose);
    const QSize wanted = kind == TPlotWindowKind::Residuals ? QSize(760, 560) : QSize(640, 480);
    sub->resize(wanted.boundedTo(Area.viewport()->size()));
    QObject::connect(sub, &QObject::destroyed, &Guard, [this] { Main.RefreshCommands(); });
    State(kind).Sub = sub;
    State(kind).Natural = HasNaturalAxes(Main.Plan());
    if (kind == TPlotWindowKind::Contour || kind == TPlotWindowKind::Interaction)
        form->OfferUnits(State(kind).Natural, [this, kind](bool natural) {
            State(kind).Natural = natural;
            Draw(kind);
        });
    return form;
}

void TPlotWindows::Show(TPlotWindowKind kind) {
    if (!Ask(kind))
        return;
    const bool made = !IsOpen(kind);
    if (made)
        MakeWindow(kind);
    Draw(kind);
    Restore(kind);
    QMdiSubWindow* sub = Window(kind);
    if (made && !Area.viewport()->rect().contains(sub->geometry()))
        sub->move(0, 0);
}

void TPlotWindows::DrawContour(TPlotForm& form, TState& state) {
    const TRaruRuro& plan = Main.Plan();
    const bool natural = NaturalPicture(plan, state.Natural);
    const bool mixture = IsMixturePlan(plan);
    TContourRequest request = state.Contour;
    request.Natural = natural;
    const TContourPicture picture = mixture ? TernaryPicture(plan) : ContourPicture(plan, request);
    form.SetDrawing([picture](QCustomPlot& plot, const TPlotLook& look) {
        orvanta::DrawContour(plot, picture, look);
        KeepEqualScale(plot, picture.Ternary);
    });
    // The read-out under the mouse: the point and the response there.
    const std::vector<double> fixed = request.Fixed;
    form.ReadOut = [this, picture, request, fixed, natural](double x, double y) {
        const TRaruRuro& plan = Main.Plan();
        if (picture.Ternary) {
            const auto c = TernaryComponents({x, y});
            if (c[0] < 0 || c[1] < 0 || c[2] < 0)
                return QString();
            const double value = plan.Predict(c.data());
            return QStringLiteral("%1 = %2; %3 = %4; %5 = %6; ŷ = %7")
                .arg(Text(picture.Corners[0]), PlotNumber(c[0]), Text(picture.Corners[1]),
                     PlotNumber(c[1]), Text(picture.Corners[2]), PlotNumber(c[2]),
                     PlotNumber(value));
        }
        std::vector<double> point = fixed;
        point[std::size_t(request.FactorX)] = Coded(plan, request.FactorX, x, natural);
        point[std::size_t(request.FactorY)] = Coded(plan, request.FactorY, y, natural);
        return QStringLiteral("%1 = %2; %3 = %4; ŷ = %5")
            .arg(Text(picture.XTitle), PlotNumber(x), Text(picture.YTitle), PlotNumber(y),
                 PlotNumber(plan.Predict(point.data())));
    };
}

void TPlotWindows::DrawResiduals(TPlotForm& form) {
    std::string error;
    const auto statistics = ComputeStatistics(Main.Plan(), StatisticsOptionsFromSettings(), error);
    if (!statistics)
        return;
    const TResidualPanels panels = ResidualPanels(*statistics);
    form.SetDrawing([&form, panels](QCustomPlot& plot, const TPlotLook& look) {
        const TResidualSets sets = orvanta::DrawResiduals(plot, panels, look);
        for (int set = 0; set < 4; ++set)
            form.RegisterPoints(sets[std::size_t(set)], set);
    });
    form.OnPointClick = [this, panels](int set, int index) {
        const std::vector<TResidualPoint>* points[4] = {&panels.Normal, &panels.VsPredicted,
                                                        &panels.VsOrder, &panels.VsActual};
        const auto& list = *points[set];
        if (index >= 0 && index < static_cast<int>(list.size()) && OnObservation)
            OnObservation(list[std::size_t(index)].Run, list[std::size_t(index)].Repeat);
    };
}

void TPlotWindows::Draw(TPlotWindowKind kind) {
    TPlotForm* form = Form(kind);
    const TRaruRuro& plan = Main.Plan();
    if (!form || !plan.HasBVector)
        return;
    TState& state = State(kind);
    switch (kind) {
    case TPlotWindowKind::Contour:
        DrawContour(*form, state);
        break;
    case TPlotWindowKind::Residuals:
        DrawResiduals(*form);
        break;
    case TPlotWindowKind::Effects: {
        std::string error;
        const auto s = ComputeStatistics(plan, StatisticsOptionsFromSettings(), error);
        if (!s)
            return;
        const TParetoChart pareto = ParetoChart(*s);
        const std::optional<THalfNormalPlot> half = HalfNormalPlot(*s);
        form->SetDrawing([pareto, half](QCustomPlot& plot, const TPlotLook& look) {
            DrawEffects(plot, &pareto, half ? &*half : nullptr, look);
        });
        break;
    }
    case TPlotWindowKind::Interaction:
    case TPlotWindowKind::Trace: {
        const TCurvesPicture picture = kind == TPlotWindowKind::Trace
                                           ? TracePicture(plan, state.Reference)
                                           : InteractionPicture(plan, state.Along, state.Other,
                                                                state.Reference, state.Natural);
        form->SetDrawing([picture](QCustomPlot& plot, const TPlotLook& look) {
            DrawCurves(plot, picture, look);
        });
        break;
    }
    }
}

void TPlotWindows::Restore(TPlotWindowKind kind) {
    if (QMdiSubWindow* sub = Window(kind)) {
        sub->showNormal();
        sub->raise();
        Area.setActiveSubWindow(sub);
    }
}

void TPlotWindows::Minimize(TPlotWindowKind kind) {
    if (QMdiSubWindow* sub = Window(kind))
        sub->showMinimized();
}

void TPlotWindows::Close(TPlotWindowKind kind) {
    if (QMdiSubWindow* sub = Window(kind)) {
        sub->disconnect(&Guard);
        State(kind).Sub = nullptr;
        Area.removeSubWindow(sub);
        delete sub;
    }
}

void TPlotWindows::CloseAll() {
    for (std::size_t i = 0; i < PlotWindowKinds; ++i)
        Close(static_cast<TPlotWindowKind>(i));
}

void TPlotWindows::Follow() {
    const TRaruRuro& plan = Main.Plan();
    if (!plan.HasFactorCount || !plan.HasBVector) {
        // Without the model there is nothing to draw: a closed plan, or
        // data changed until the next analysis.
        if (!plan.HasFactorCount)
            CloseAll();
        return;
    }
    if (plan.AnalysisNumber == SeenAnalysis)
        return;
    SeenAnalysis = plan.AnalysisNumber;
    for (std::size_t i = 0; i < PlotWindowKinds; ++i)
        Draw(static_cast<TPlotWindowKind>(i));
}

void TPlotWindows::ApplyOptions() {
    const TPlotLook look = PlotLookOf(Settings());
    for (std::size_t i = 0; i < PlotWindowKinds; ++i)
        if (TPlotForm* form = Form(static_cast<TPlotWindowKind>(i)))
            form->ApplyLook(look);
}

} // namespace orvanta
