#pragma once

#include "design/Aliases.h"
#include "design/Evaluation.h"
#include "plots/Pictures.h"
#include "stats/StatisticsTables.h"

#include <optional>
#include <string>
#include <vector>

namespace orvanta {

class TRaruRuro;

// Why the plan cannot be judged yet (no code matrix, no model, fewer runs
// than terms), as the person reads it; empty when it can.
std::string EvaluationProblem(const TRaruRuro& plan);

// Why EvaluateDesign gave nothing: X'X is singular.
std::string SingularDesignText();

// The coefficients' names before any analysis: the module's names of a
// general plan, B0, Bi, Bij, Bii of a built-in one.
std::vector<std::string> CoefficientNames(const TRaruRuro& plan);

// The alias structure in words: why a design has none, or its defining
// relation "I = x1·x2·x3 = ..." and resolution.
std::string AliasRefusalText(TAliasRefusal refusal);
std::string DefiningRelationText(const TAliasStructure& aliases);

// The evaluation laid out as the statistics window lays out its tables:
// "efficiency", "coefficients", "leverage", "fds" and "aliases", numbers
// with six significant digits and the person's decimal separator.
std::vector<TStatSection> EvaluationSections(const TRaruRuro& plan, const TDesignEvaluation& e,
                                             const std::optional<TAliasStructure>& aliases,
                                             TAliasRefusal refusal);

// The fraction-of-design-space curve as a picture: N·f'Cf against the share
// of the region, over the whole region 0 .. 1.
TCurvesPicture FdsPicture(const std::vector<TSpvFraction>& fds);

} // namespace orvanta
