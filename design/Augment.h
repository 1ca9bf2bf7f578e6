#pragma once

#include "numeric/Matrix.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvanta {

class TRaruRuro;

// The ways a plan grows after its runs were made (or planned).
enum class TAugmentKind {
    FoldOver, // the two-level runs again with signs reversed
    Axial,    // axial and centre runs: a central composite plan
    DOptimal, // runs chosen to maximise det(X'X) of the whole plan
};

struct TAugmentRequest {
    TAugmentKind Kind = TAugmentKind::FoldOver;
    // Fold-over: the factor (from 1) whose sign alone is reversed; 0
    // reverses every sign.
    std::int32_t Factor = 0;
    // Axial: the distance of the axial runs from the centre; without it the
    // rotatable F^(1/4) for the F two-level runs.
    std::optional<double> Alpha;
    // Axial: the centre runs added with the axial ones. One, as in the
    // built-in central composite plans; the centre runs the plan already
    // has count towards the estimate of the curvature too.
    std::int32_t Centre = 1;
    // D-optimal: how many runs, and the seed of their search.
    std::int32_t Runs = 0;
    std::uint32_t Seed = 1;
};

struct TAugmentResult {
    std::int32_t OldRuns = 0;
    // The new runs (coded), in the order they follow the old ones.
    TMatrix Added;
    // Axial: the arm used.
    double Alpha = 0.0;
    // The model's terms before and after (the axial runs raise it to the
    // full second order).
    std::int32_t OldTerms = 0;
    std::int32_t Terms = 0;
    // 100 det(X'X)^(1/p) / N of the whole plan for its model; none when X'X
    // is singular.
    std::optional<double> DEfficiency;
};

// Why the augmentation of this kind does not apply to the plan, in the
// person's words; empty when it does.
std::string AugmentRefusal(const TRaruRuro& plan, TAugmentKind kind);

// The runs of the design that are not at the centre (some value not 0).
std::int32_t FactorialRunCount(const TMatrix& design);
// F^(1/4) for the plan's F runs away from the centre.
double RotatableAlpha(const TRaruRuro& plan);

// The runs away from the centre with every sign reversed, or only the
// sign of `factor` (from 1; 0 for all).
TMatrix FoldOverRuns(const TMatrix& design, std::int32_t factor);
// -alpha and +alpha on each of the k axes in turn, then `centre` runs at
// the centre.
TMatrix AxialRuns(std::int32_t k, double alpha, std::int32_t centre);

// Adds the runs to the plan: the old runs, their observations, natural
// units, names and check point stay; the new runs get empty observations;
// the plan becomes a general one (no generator) with its model kept, or
// raised to the full quadratic, and its results are dropped. Nullopt with
// `message` set when the plan was left as it was.
std::optional<TAugmentResult> AugmentPlan(TRaruRuro& plan, const TAugmentRequest& request,
                                          std::string& message);

} // namespace orvanta
