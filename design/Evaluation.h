#pragma once

#include "design/ModelMatrix.h"
#include "design/Region.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orvanta {

struct TEvaluationOptions {
    std::int32_t Repeats = 1; // parallel repeats m of every run
    double Alpha = 0.05;      // level of the t test whose power is reported
    double Delta = 2.0;       // the coefficient to detect, in units of sigma
    // The region of the prediction variance; DesignRegion() without it.
    std::optional<TDesignRegion> Region;
    std::uint32_t Seed = 29;          // of the random points
    std::int32_t SamplePoints = 2000; // uniform points of the fraction-of-design-space curve
};

// The scaled prediction variance at a share of the design region: that
// share of the region's points has N f'Cf at most Spv.
struct TSpvFraction {
    double Fraction = 0.0;
    double Spv = 0.0;
};

// How well a design (before any response) estimates its model y = f(x)'b,
// with C = (X'X)^-1 for the N x p model matrix X of the runs. Every figure
// is per unit error variance.
struct TDesignEvaluation {
    std::int32_t Runs = 0;      // N
    std::int32_t Terms = 0;     // p
    std::int32_t Repeats = 1;   // m
    std::int32_t Constant = -1; // the term that is 1 at every run, if any
    TDesignRegion Region = TDesignRegion::Cube;
    // Per coefficient: C_jj sum_i (x_ij - mean_j)^2, none for the constant
    // (the statistics of a fitted model give the same); sqrt(C_jj).
    std::vector<std::optional<double>> Vif;
    std::vector<double> RelativeStdErrors;
    // Per run: h_i = f_i' C f_i.
    std::vector<double> Leverage;
    // In percent: D = 100 det(X'X)^(1/p) / N, A = 100 p / (N trace C), and
    // the usual design-point G = 100 p / (N max_i h_i), the largest
    // prediction variance taken over the runs rather than the region.
    double DEfficiency = 0.0;
    double AEfficiency = 0.0;
    double GEfficiency = 0.0;
    // N f'Cf at the centre (the centroid of a mixture), its largest value over
    // the region and where, and its fraction-of-design-space curve at the
    // shares 0, 0.05, ..., 1.
    double SpvCentre = 0.0;
    double SpvMax = 0.0;
    TPoint SpvMaxPoint;
    std::vector<TSpvFraction> Fds;
    // The power of the two-sided t test at Alpha of each coefficient against
    // one of size Delta sigma: noncentral t with ncp = Delta / sqrt(C_jj / m),
    // on N (m - 1) degrees of freedom with repeats, N - p without (NaN when
    // there are none).
    double Alpha = 0.05;
    double Delta = 2.0;
    std::int32_t PowerDf = 0;
    std::vector<double> Power;
};

// Nullopt when X'X is singular: the design cannot estimate the model.
std::optional<TDesignEvaluation> EvaluateDesign(const TMatrix& design, const TModelBasis& basis,
                                                const TEvaluationOptions& options = {});

} // namespace orvanta
