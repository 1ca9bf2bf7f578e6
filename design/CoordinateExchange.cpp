#include "design/CoordinateExchange.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvanta {

namespace {

// A sweep that raises ln det by less than this ends the search.
constexpr double Gain = 1e-10;
constexpr std::int32_t MaxSweeps = 200;
// Plans whose X'X is this close to singular are treated as singular.
constexpr double SingularCondition = 1e-12;
// Golden-section steps along one coordinate: the bracket shrinks to 1e-8 of
// the grid spacing.
constexpr std::int32_t GoldenSteps = 40;

} // namespace

TCoordinateExchange::TCoordinateExchange(std::int32_t runs, std::int32_t terms,
                                         const TBasisFunction& basis, const TDesignRegion& region,
                                         TDOptimalCandidates candidates)
    : N(runs), P(terms), K(region.Factors()), Basis(basis), Region(region), Candidates(candidates),
      X(std::size_t(N) * std::size_t(K)), F(N, P), Current(P), V(P), Point(std::size_t(K)),
      Trial(P), TrialV(P) {}

bool TCoordinateExchange::Run(std::mt19937& random) {
    if (!Start(random))
        return false;
    Ridge = 0.0;
    if (!Factor()) {
        // A random plan may miss a direction the model needs (two runs on
        // one grid level of a polynomial in one factor): a small ridge keeps
        // the search going until the exchanges fill it.
        const double fixed = Fixed.size() ? Fixed.trace() : 0.0;
        Ridge = 1e-6 * std::max(1.0, (F.squaredNorm() + fixed) / P);
        Factor();
    }
    // The continuous search starts from the grid's optimum: a value between
    // the levels mostly only polishes it, and from a random plan the
    // continuous steps alone stop more often at a poorer one.
    Refining = false;
    for (std::int32_t sweep = 0; sweep < MaxSweeps && Sweep(); ++sweep) {
    }
    Refining = Candidates == TDOptimalCandidates::Continuous;
    for (std::int32_t sweep = 0; Refining && sweep < MaxSweeps && Sweep(); ++sweep) {
    }
    if (Ridge > 0.0)
        LogDet = -std::numeric_limits<double>::infinity();
    return true;
}

bool TCoordinateExchange::Start(std::mt19937& random) {
    for (std::int32_t i = 0; i < N; ++i) {
        double* x = &X[std::size_t(i) * std::size_t(K)];
        if (!Region.RandomPoint(random, true, x) && !Region.RandomPoint(random, false, x)) {
            // A narrow region: walk from a point already found.
            if (i == 0)
                return false;
            std::copy(x - K, x, x);
            Region.Wander(random, x);
        }
        Basis(x, F.row(i).data());
    }
    return true;
}

bool TCoordinateExchange::Factor() {
    Eigen::MatrixXd m = F.transpose() * F;
    if (Fixed.size())
        m += Fixed;
    m.diagonal().array() += Ridge;
    const Eigen::LLT<Eigen::MatrixXd> llt(m);
    if (llt.info() != Eigen::Success || llt.rcond() < SingularCondition)
        return false;
    Inverse = llt.solve(Eigen::MatrixXd::Identity(P, P));
    LogDet = 2.0 * llt.matrixLLT().diagonal().array().log().sum();
    return true;
}

// One pass over every run and move; true when another pass may gain. The
// inverse is refactored after each pass so that the updates' rounding does
// not pile up.
bool TCoordinateExchange::Sweep() {
    const double before = LogDet;
    for (std::int32_t i = 0; i < N; ++i)
        for (const TDesignRegion::TMove move : Region.Moves())
            Improve(i, move);
    if (Ridge > 0.0) {
        const double ridge = Ridge;
        Ridge = 0.0;
        if (Factor())
            return true;
        Ridge = ridge;
    }
    Factor();
    return LogDet - before > Gain;
}

void TCoordinateExchange::Improve(std::int32_t run, TDesignRegion::TMove move) {
    const double* x = &X[std::size_t(run) * std::size_t(K)];
    const auto [lo, hi] = Region.Interval(x, move);
    if (hi - lo < 1e-12)
        return;
    Current = F.row(run).transpose();
    V.noalias() = Inverse * Current;
    CurrentForm = Current.dot(V);
    Region.GridSteps(x, move, lo, hi, Steps);
    double best = 0.0;
    double bestRatio = 1.0;
    std::size_t bestIndex = Steps.size();
    for (std::size_t s = 0; s < Steps.size(); ++s) {
        const double ratio = Ratio(run, move, Steps[s]);
        if (ratio > bestRatio) {
            best = Steps[s];
            bestRatio = ratio;
            bestIndex = s;
        }
    }
    if (Refining && bestIndex < Steps.size()) {
        const double left = Steps[bestIndex == 0 ? 0 : bestIndex - 1];
        const double right = Steps[std::min(bestIndex + 1, Steps.size() - 1)];
        const double refined = Refine(run, move, left, right);
        const double ratio = Ratio(run, move, refined);
        if (ratio > bestRatio) {
            best = refined;
            bestRatio = ratio;
        }
    }
    if (bestRatio <= 1.0 + Gain)
        return;
    Ratio(run, move, best);
    Exchange(run, bestRatio);
}

// The maximum of the determinant's ratio on [lo, hi] by golden sections.
double TCoordinateExchange::Refine(std::int32_t run, TDesignRegion::TMove move, double lo,
                                   double hi) {
    const double golden = (std::sqrt(5.0) - 1.0) / 2.0;
    double a = hi - golden * (hi - lo);
    double b = lo + golden * (hi - lo);
    double fa = Ratio(run, move, a);
    double fb = Ratio(run, move, b);
    for (std::int32_t step = 0; step < GoldenSteps; ++step) {
        if (fa < fb) {
            lo = a;
            a = b;
            fa = fb;
            b = lo + golden * (hi - lo);
            fb = Ratio(run, move, b);
        } else {
            hi = b;
            b = a;
            fb = fa;
            a = hi - golden * (hi - lo);
            fa = Ratio(run, move, a);
        }
    }
    return fa < fb ? b : a;
}

// det(M') / det(M) when the run moves by tau: with d(u, v) = u' M^-1 v,
// (1 + d(new, new)) (1 - d(old, old)) + d(old, new)^2 (Fedorov). Only the
// terms the move changes enter M^-1 times the new terms.
double TCoordinateExchange::Ratio(std::int32_t run, TDesignRegion::TMove move, double tau) {
    const double* x = &X[std::size_t(run) * std::size_t(K)];
    std::copy(x, x + K, Point.begin());
    Region.Apply(Point.data(), move, tau);
    Basis(Point.data(), Trial.data());
    TrialV = V;
    for (std::int32_t t = 0; t < P; ++t)
        if (const double change = Trial[t] - Current[t]; change != 0.0)
            TrialV.noalias() += Inverse.col(t) * change;
    const double mixed = V.dot(Trial);
    return (1.0 + Trial.dot(TrialV)) * (1.0 - CurrentForm) + mixed * mixed;
}

// Replaces the run by the trial point: M^-1 takes the new terms in and the
// old ones out (Sherman and Morrison, twice).
void TCoordinateExchange::Exchange(std::int32_t run, double ratio) {
    TrialV.noalias() = Inverse * Trial;
    Inverse.noalias() -= TrialV * TrialV.transpose() / (1.0 + Trial.dot(TrialV));
    V.noalias() = Inverse * Current;
    Inverse.noalias() += V * V.transpose() / (1.0 - Current.dot(V));
    F.row(run) = Trial.transpose();
    std::copy(Point.begin(), Point.end(), X.begin() + std::ptrdiff_t(run) * K);
    LogDet += std::log(ratio);
}

} // namespace orvanta
