#pragma once

#include "design/ModelMatrix.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvanta {

// The model as the search sees it: f receives the values of all p terms at
// the coded point x (k values), in term order.
using TBasisFunction = std::function<void(const double* x, double* f)>;

// Where a coordinate's new value is looked for.
enum class TDOptimalCandidates {
    Grid,       // the levels of an even grid between the factor's bounds
    Continuous, // anywhere in the interval the region allows
};

// One restriction a'x <= c of the region (k coefficients a, coded units).
struct TLinearConstraint {
    std::vector<double> A;
    double C = 0.0;
};

struct TDOptimalOptions {
    // The same seed gives the same plan.
    std::uint32_t Seed = 1;
    // Random starts of the exchange; the best plan of them is kept.
    std::int32_t Starts = 10;
    TDOptimalCandidates Candidates = TDOptimalCandidates::Grid;
    std::int32_t GridLevels = 21;
    // Per factor, k values each; empty: the coded box [-1, 1] (for a
    // mixture the proportions [0, 1]).
    std::vector<double> Lower;
    std::vector<double> Upper;
    std::vector<TLinearConstraint> Constraints;
    // The factors are the proportions of a mixture and sum to 1.
    bool Mixture = false;
    // Runs already made (k coded values each) that the new ones complete:
    // they enter X'X and the plan's N but are never moved.
    std::vector<std::vector<double>> Fixed;
};

struct TDOptimalPlan {
    // The new runs, k coded values each; empty when the plan was refused.
    std::vector<std::vector<double>> Runs;
    // det(X'X)^(1/p) / N for the model matrix X of the whole plan, the
    // fixed runs included, and N counting them.
    double DValue = 0.0;
    // 100 DValue, percent.
    double DEfficiency = 0.0;
    // The runs are mixtures: proportions summing to 1.
    bool Mixture = false;
    // Why there is no plan (for the person, in their words).
    std::string Message;
};

// A D-optimal plan of `runs` runs (besides the options' fixed ones) for the
// model of `terms` terms in `factors` factors: coordinate exchange (Meyer and Nachtsheim, 1995)
// from several random starts; a mixture exchanges proportions between pairs of components, keeping
// their sum.
TDOptimalPlan BuildDOptimalPlan(std::int32_t factors, std::int32_t runs, std::int32_t terms,
                                const TBasisFunction& basis, const TDOptimalOptions& options);

// The same for a model seen through its basis; the region is the simplex
// when the model is a mixture's (options.Mixture is set from the model).
TDOptimalPlan BuildDOptimalPlanFor(std::int32_t runs, const TModelBasis& model,
                                   TDOptimalOptions options);

// Whether the runs of the model are mixtures: two or more factors and no
// term that is the constant 1 (Scheffé's polynomials).
bool IsMixtureModel(std::int32_t factors, std::int32_t terms, const TBasisFunction& basis);

} // namespace orvanta
