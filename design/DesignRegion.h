#pragma once

#include "design/DOptimal.h"

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace orvanta {

// The region a D-optimal plan's runs are taken from: bounds per factor,
// linear restrictions and, for a mixture, the simplex of proportions. The
// exchange changes a run along one line at a time; the region says how far
// it may go and which values are candidates.
class TDesignRegion {
public:
    // A step tau adds tau to factor J and, in a mixture, takes it from
    // factor L, so that the proportions still sum to 1 (L = -1 otherwise).
    struct TMove {
        std::int32_t J = 0;
        std::int32_t L = -1;
    };

    TDesignRegion(std::int32_t factors, const TDOptimalOptions& options);

    // Why the options describe no region; empty when they do.
    const std::string& Error() const { return Problem; }
    std::int32_t Factors() const { return K; }
    const std::vector<TMove>& Moves() const { return MoveList; }
    // The steps that keep x in the region: [lo, hi], with 0 always inside.
    std::pair<double, double> Interval(const double* x, TMove move) const;
    // The candidate steps in [lo, hi]: the grid levels there and both ends.
    void GridSteps(const double* x, TMove move, double lo, double hi,
                   std::vector<double>& steps) const;
    // Takes the step: the new value lands exactly on a grid level or a bound
    // it is within rounding of, so that plans read -1, 0, 1, not 0.9999...
    void Apply(double* x, TMove move, double tau) const;
    // A random point of the region (on the grid when asked and possible);
    // false when none was found.
    bool RandomPoint(std::mt19937& random, bool onGrid, double* x) const;
    // Moves a point of the region to another one at random.
    void Wander(std::mt19937& random, double* x) const;

private:
    void Check(const TDOptimalOptions& options);
    bool Satisfies(const double* x) const;
    double Level(std::int32_t j, std::int32_t s) const;
    double Snapped(std::int32_t j, double value) const;

    std::int32_t K;
    bool Mixture;
    std::int32_t Levels;
    std::vector<double> Lower;
    std::vector<double> Upper;
    std::vector<TLinearConstraint> Constraints;
    std::vector<TMove> MoveList;
    std::string Problem;
};

} // namespace orvanta
