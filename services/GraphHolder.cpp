#include "services/GraphHolder.h"

#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include <algorithm>
#include <cstdint>

namespace orvanta {

namespace {

const char* const ProjectionQuestion2D =
    "Текущий план построен более чем для одного фактора. Корректно разместить "
    "экспериментальные точки невозможно (будет выполнено ортогональное проецирование их на "
    "плоскость графика). Продолжить - ?";
const char* const ProjectionQuestion3D =
    "Текущий план построен более чем для двух факторов. Корректно разместить "
    "экспериментальные точки невозможно. Продолжить - ?";

// Natural units need whole base levels and intervals; a plan without them
// draws in coded units whatever the option says.
bool HasNaturalUnits(const TRaruRuro& plan) {
    const std::int32_t k = plan.GetFactorCount();
    return plan.HasBaseLevels && plan.HasIntervals && plan.BaseLevels.Size() >= k &&
           plan.Intervals.Size() >= k;
}

double Natural(const TRaruRuro& plan, std::int32_t factor, double coded) {
    return coded * plan.Intervals.Get(factor) + plan.BaseLevels.Get(factor);
}

// The runs' means and their levels of a factor, when the analysis has them.
bool HasRunPoints(const TRaruRuro& plan, bool natural) {
    const std::int32_t n = plan.YMean.Size();
    const TNamedMatrix& levels = natural ? plan.NaturalMatrix : plan.CodeMatrix;
    return plan.HasYMean && n > 0 && (natural ? plan.HasNaturalMatrix : plan.HasCodeMatrix) &&
           levels.RowCount() >= n && levels.ColCount() >= plan.GetFactorCount();
}

} // namespace

TGraphHolder::~TGraphHolder() = default;

void TGraphHolder::AddPoint2D(double x, double y) {
    if (Current2D)
        Current2D->Add({static_cast<float>(x), static_cast<float>(y)});
}

void TGraphHolder::AddPoint3D(double x1, double x2, double y) {
    if (Current3D)
        Current3D->Add({static_cast<float>(x1), static_cast<float>(y), static_cast<float>(x2)});
}

void TGraphHolder::BeginCurve(std::int32_t count, std::int32_t secondCount) {
    Clear();
    GridRows = count;
    GridCols = secondCount;
    Current2D = &Curve;
    Current3D = nullptr;
    Curve.Reserve(count);
}

void TGraphHolder::BeginSurface(std::int32_t secondCount, std::int32_t firstCount) {
    Clear();
    GridRows = secondCount;
    GridCols = firstCount;
    Current2D = nullptr;
    Current3D = &SurfaceVertices;
    if (secondCount > 0 && firstCount > 0 && firstCount <= INT32_MAX / secondCount)
        SurfaceVertices.Reserve(secondCount * firstCount);
}

void TGraphHolder::SetTitles(const TGraphTitles* titles2D, const TGraphTitles* titles3D) {
    if (titles2D)
        Titles2D = *titles2D;
    if (titles3D)
        Titles3D = *titles3D;
}

void TGraphHolder::Show(bool visible) {
    if (visible) {
        if (CurveReady)
            ShowDiagram();
        if (SurfaceReady)
            ShowSurface();
        return;
    }
    if (DiagramOpen) {
        DiagramOpen = false;
        Host.CloseGraphWindow(TGraphWindow::Diagram);
    }
    if (SurfaceOpen) {
        SurfaceOpen = false;
        Host.CloseGraphWindow(TGraphWindow::Surface);
    }
}

void TGraphHolder::ShowDiagram() {
    // The experimental points go to the window in order of their levels.
    SortByX(Points2D);
    DiagramOpen = true;
    Host.ShowGraphWindow(TGraphWindow::Diagram);
}

void TGraphHolder::ShowSurface() {
    SurfaceOpen = true;
    Host.ShowGraphWindow(TGraphWindow::Surface);
}

void TGraphHolder::Clear() {
    Show(false);
    Curve.Clear();
    Points2D.Clear();
    SurfaceVertices.Clear();
    Points3D.Clear();
    Current2D = nullptr;
    Current3D = nullptr;
    CurveReady = SurfaceReady = false;
}

void* TGraphHolder::ApplyOptions() {
    if (SurfaceOpen)
        Host.ApplyGraphOptions(TGraphWindow::Surface);
    if (DiagramOpen)
        Host.ApplyGraphOptions(TGraphWindow::Diagram);
    return this;
}

bool TGraphHolder::Query(std::int32_t code) const {
    switch (code) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 7:
        return true;
    case 8:
        return (CurveReady && !DiagramOpen) || (SurfaceReady && !SurfaceOpen);
    case 9:
        return DiagramOpen || SurfaceOpen;
    default:
        return false;
    }
}

void TGraphHolder::BeginPoints2D(std::int32_t count) {
    PointCount = count;
    Points2D.Clear();
    Points2D.Reserve(count);
    Current2D = &Points2D;
    Current3D = nullptr;
}

void TGraphHolder::BeginPoints3D(std::int32_t count) {
    PointCount = count;
    Points3D.Clear();
    Points3D.Reserve(count);
    Current2D = nullptr;
    Current3D = &Points3D;
}

void TGraphHolder::EndPoints() {
    Current2D = nullptr;
    Current3D = nullptr;
}

bool TGraphHolder::NewDiagram(const TRaruRuro& plan) {
    auto answer = Host.RunDiagramWizard();
    const std::int32_t k = plan.GetFactorCount();
    if (!answer || answer->Points < 2 || answer->Factor < 0 || answer->Factor >= k ||
        static_cast<std::int32_t>(answer->Point.size()) != k)
        return false;
    const TSettings& settings = Settings();
    const bool natural = settings.CBNaturalX && HasNaturalUnits(plan);
    const std::int32_t f = answer->Factor;
    const double step = (answer->End - answer->Start) / (answer->Points - 1);
    BeginCurve(answer->Points, -1);
    std::vector<double>& p = answer->Point;
    double x = answer->Start;
    for (std::int32_t i = 0; i < answer->Points; ++i, x += step) {
        p[static_cast<std::size_t>(f)] = x;
        AddPoint2D(natural ? Natural(plan, f, x) : x, plan.Predict(p.data()));
    }
    const TGraphTitles titles{plan.FactorNames.at(static_cast<std::size_t>(f)), "",
                              plan.ResponseName};
    SetTitles(&titles, nullptr);
    Enable2D();
    if (settings.CBPoints2D && HasRunPoints(plan, natural) &&
        (k < 2 || Host.AskYesNo(ProjectionQuestion2D) == TAnswer::Yes)) {
        const std::int32_t n = plan.YMean.Size();
        const TNamedMatrix& levels = natural ? plan.NaturalMatrix : plan.CodeMatrix;
        BeginPoints2D(n);
        for (std::int32_t i = 0; i < n; ++i)
            AddPoint2D(levels.Get(i, f), plan.YMean.Get(i));
        EndPoints2D();
    }
    Show(true);
    return true;
}

bool TGraphHolder::NewSurface(const TRaruRuro& plan) {
    auto a = Host.RunSurfaceWizard();
    const std::int32_t k = plan.GetFactorCount();
    if (!a || a->XPoints < 2 || a->YPoints < 2 || a->FactorX < 0 || a->FactorX >= k ||
        a->FactorY < 0 || a->FactorY >= k || a->FactorX == a->FactorY ||
        static_cast<std::int32_t>(a->Point.size()) != k)
        return false;
    const TSettings& settings = Settings();
    const bool natural = settings.CBNaturalXY && HasNaturalUnits(plan);
    const std::int32_t f1 = a->FactorX;
    const std::int32_t f2 = a->FactorY;
    const double step1 = (a->XEnd - a->XStart) / (a->XPoints - 1);
    const double step2 = (a->YEnd - a->YStart) / (a->YPoints - 1);
    BeginSurface(a->YPoints, a->XPoints);
    std::vector<double>& p = a->Point;
    double x1 = a->XStart;
    for (std::int32_t i = 0; i < a->XPoints; ++i, x1 += step1) {
        double x2 = a->YStart;
        for (std::int32_t j = 0; j < a->YPoints; ++j, x2 += step2) {
            p[static_cast<std::size_t>(f1)] = x1;
            p[static_cast<std::size_t>(f2)] = x2;
            const double y = plan.Predict(p.data());
            AddPoint3D(natural ? Natural(plan, f1, x1) : x1, natural ? Natural(plan, f2, x2) : x2,
                       y);
        }
    }
    const TGraphTitles titles{plan.FactorNames.at(static_cast<std::size_t>(f1)),
                              plan.FactorNames.at(static_cast<std::size_t>(f2)), plan.ResponseName};
    SetTitles(nullptr, &titles);
    Enable3D();
    if (settings.CBPoints3D && HasRunPoints(plan, natural) &&
        (k < 3 || Host.AskYesNo(ProjectionQuestion3D) == TAnswer::Yes)) {
        const std::int32_t n = plan.YMean.Size();
        const TNamedMatrix& levels = natural ? plan.NaturalMatrix : plan.CodeMatrix;
        BeginPoints3D(n);
        for (std::int32_t i = 0; i < n; ++i)
            AddPoint3D(levels.Get(i, f1), levels.Get(i, f2), plan.YMean.Get(i));
        EndPoints3D();
    }
    Show(true);
    return true;
}

void SortByX(TPointList2D& points) {
    std::stable_sort(points.begin(), points.end(),
                     [](const TPoint2D& a, const TPoint2D& b) { return a.X < b.X; });
}

} // namespace orvanta
