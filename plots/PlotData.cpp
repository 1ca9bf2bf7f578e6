// The residual, effect, interaction and trace plots' data. The contour and
// triangle pictures are in ContourPicture.cpp.

#include "plots/PlotData.h"

#include "distributions/Distributions.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "stats/StatisticsTables.h"

#include <algorithm>
#include <cmath>

namespace orvanta {

namespace {

// Blom's plotting position of the i-th smallest of n (i from 1): the one
// that makes normal scores nearly unbiased.
double BlomPosition(std::size_t i, std::size_t n) {
    return (static_cast<double>(i) - 0.375) / (static_cast<double>(n) + 0.25);
}

// The sample quantile of type 7 (R's default) of sorted values.
double Quantile7(const std::vector<double>& sorted, double p) {
    const double h = (static_cast<double>(sorted.size()) - 1.0) * p;
    const auto low = static_cast<std::size_t>(std::floor(h));
    const std::size_t high = std::min(low + 1, sorted.size() - 1);
    return sorted[low] + (h - static_cast<double>(low)) * (sorted[high] - sorted[low]);
}

TResidualPoint Point(const TObservationDiagnostics& o, double x, double y, bool marked) {
    return {o.Run, o.Repeat, x, y, marked};
}

// The normal plot and its quartile line; the residuals are sorted with the
// observations they came from. A residual that is not a number (an
// observation the fit passes through) has no place on the plot, as in R's
// qqnorm.
void FillNormal(const std::vector<TObservationDiagnostics>& observations,
                const std::vector<bool>& marked, TResidualPanels& panels) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < observations.size(); ++i)
        if (!std::isnan(observations[i].ExternallyStudentized))
            order.push_back(i);
    const std::size_t n = order.size();
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return observations[a].ExternallyStudentized < observations[b].ExternallyStudentized;
    });
    std::vector<double> sorted(n);
    panels.Normal.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const TObservationDiagnostics& o = observations[order[i]];
        sorted[i] = o.ExternallyStudentized;
        panels.Normal.push_back(Point(o, dist::NormalQuantile(BlomPosition(i + 1, n)),
                                      o.ExternallyStudentized, marked[order[i]]));
    }
    if (n == 0)
        return;
    const double z1 = dist::NormalQuantile(0.25);
    const double z3 = dist::NormalQuantile(0.75);
    const double slope = (Quantile7(sorted, 0.75) - Quantile7(sorted, 0.25)) / (z3 - z1);
    const double intercept = Quantile7(sorted, 0.25) - slope * z1;
    const double xLow = panels.Normal.front().X;
    const double xHigh = panels.Normal.back().X;
    panels.NormalLine = {TPlotPoint{xLow, intercept + slope * xLow},
                         TPlotPoint{xHigh, intercept + slope * xHigh}};
}

// The degrees of freedom of the mean square the t tests divide by.
std::int32_t ErrorDf(const TModelStatistics& statistics) {
    const char* source = statistics.ErrorTerm == TErrorTerm::Pure ? "pureError" : "residual";
    for (const TAnovaRow& row : statistics.Anova)
        if (row.Source == source)
            return row.Df;
    return 0;
}

bool NaturalUnits(const TRaruRuro& plan) {
    const std::int32_t k = plan.FactorCount;
    if (!plan.HasBaseLevels || !plan.HasIntervals || plan.BaseLevels.Size() < k ||
        plan.Intervals.Size() < k)
        return false;
    for (std::int32_t j = 0; j < k; ++j)
        if (plan.Intervals.Get(j) == 0.0)
            return false;
    return true;
}

std::string FactorTitle(const TRaruRuro& plan, std::int32_t factor) {
    const auto at = static_cast<std::size_t>(factor);
    if (at < plan.FactorNames.size())
        return plan.FactorNames[at];
    return "Фактор № " + IntToStr(factor + 1);
}

// The reference point with exactly one value per factor (missing ones at
// the centre).
std::vector<double> FullPoint(const TRaruRuro& plan, const std::vector<double>& reference) {
    std::vector<double> point(reference);
    point.resize(static_cast<std::size_t>(std::max(plan.FactorCount, 0)), 0.0);
    return point;
}

double Step(std::int32_t i, std::int32_t points) {
    return points > 1 ? -1.0 + 2.0 * i / (points - 1) : 0.0;
}

} // namespace

TResidualPanels ResidualPanels(const TModelStatistics& statistics) {
    const std::vector<TObservationDiagnostics>& observations = statistics.Observations;
    const std::size_t n = observations.size();
    std::vector<bool> marked(n);
    for (std::size_t i = 0; i < n; ++i)
        marked[i] = WorthALook(observations[i], n);
    TResidualPanels panels;
    FillNormal(observations, marked, panels);
    panels.VsPredicted.reserve(n);
    panels.VsOrder.reserve(n);
    panels.VsActual.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const TObservationDiagnostics& o = observations[i];
        panels.VsPredicted.push_back(Point(o, o.Predicted, o.Residual, marked[i]));
        panels.VsOrder.push_back(Point(o, static_cast<double>(i + 1), o.Residual, marked[i]));
        panels.VsActual.push_back(Point(o, o.Actual, o.Predicted, marked[i]));
    }
    return panels;
}

TParetoChart ParetoChart(const TModelStatistics& statistics) {
    TParetoChart chart;
    chart.Alpha = statistics.Alpha;
    chart.Df = ErrorDf(statistics);
    chart.Critical = dist::StudentQuantile(1.0 - statistics.Alpha / 2.0, chart.Df);
    for (const TCoefficientStatistics& c : statistics.Coefficients) {
        if (!c.Vif)
            continue; // the constant
        const double t = std::fabs(c.T);
        chart.Bars.push_back({c.Name, t, t > chart.Critical});
    }
    // A t without a value (no error variance) goes last instead of breaking
    // the order.
    std::stable_sort(chart.Bars.begin(), chart.Bars.end(),
                     [](const TParetoBar& a, const TParetoBar& b) {
                         return std::isnan(b.AbsT) ? !std::isnan(a.AbsT) : a.AbsT > b.AbsT;
                     });
    return chart;
}

std::optional<THalfNormalPlot> HalfNormalPlot(const TModelStatistics& statistics) {
    if (!statistics.Lenth)
        return std::nullopt;
    const TLenthAnalysis& lenth = *statistics.Lenth;
    THalfNormalPlot plot;
    plot.Me = lenth.Me;
    plot.Sme = lenth.Sme;
    for (const TLenthEffect& e : lenth.Effects)
        plot.Points.push_back({e.Name, std::fabs(e.Effect), 0.0, e.Active});
    std::stable_sort(plot.Points.begin(), plot.Points.end(),
                     [](const THalfNormalPoint& a, const THalfNormalPoint& b) {
                         return a.AbsEffect < b.AbsEffect;
                     });
    const std::size_t n = plot.Points.size();
    for (std::size_t i = 0; i < n; ++i)
        plot.Points[i].Quantile = dist::NormalQuantile(0.5 + 0.5 * BlomPosition(i + 1, n));
    return plot;
}

std::vector<TCurve> InteractionCurves(const TRaruRuro& plan, std::int32_t along, std::int32_t other,
                                      const std::vector<double>& reference, bool natural,
                                      std::int32_t points) {
    std::vector<double> x = FullPoint(plan, reference);
    const auto k = static_cast<std::int32_t>(x.size());
    if (along < 0 || other < 0 || along >= k || other >= k || along == other)
        return {};
    const bool inNatural = natural && NaturalUnits(plan);
    // A factor's value at the point x as the axis and the labels show it.
    std::vector<double> z(x.size());
    const auto shown = [&](std::int32_t factor) {
        if (!inNatural)
            return x[static_cast<std::size_t>(factor)];
        plan.CodedToNatural(x.data(), z.data());
        return z[static_cast<std::size_t>(factor)];
    };
    std::vector<TCurve> curves;
    for (const double level : {-1.0, 1.0}) {
        x[static_cast<std::size_t>(other)] = level;
        TCurve curve{FactorTitle(plan, other) + " = " + FormatGeneral(shown(other), 6), {}};
        for (std::int32_t i = 0; i < points; ++i) {
            x[static_cast<std::size_t>(along)] = Step(i, points);
            curve.Points.push_back({shown(along), plan.Predict(x.data())});
        }
        curves.push_back(std::move(curve));
    }
    return curves;
}

std::vector<TCurve> TraceCurves(const TRaruRuro& plan, const std::vector<double>& reference,
                                std::int32_t points) {
    const std::vector<double> centre = FullPoint(plan, reference);
    std::vector<TCurve> curves;
    for (std::size_t f = 0; f < centre.size(); ++f) {
        std::vector<double> x = centre;
        TCurve curve{FactorTitle(plan, static_cast<std::int32_t>(f)), {}};
        for (std::int32_t i = 0; i < points; ++i) {
            x[f] = centre[f] + Step(i, points);
            curve.Points.push_back({Step(i, points), plan.Predict(x.data())});
        }
        curves.push_back(std::move(curve));
    }
    return curves;
}

} // namespace orvanta
