#pragma once

#include "plan/RaruRuro.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

namespace orvanta::cli {

// One coefficient of the fitted equation as the tool reports it.
struct TCoefficientLine {
    std::string Label;
    double Value = 0.0;
    bool Significant = true;
    std::optional<double> StdError;
};

// The coefficients with their labels as the coefficient lines show them and
// their standard errors sqrt(s²·C_ii/m), C the inverse information matrix
// (reduced to the significant terms after a refit). No error without repeats.
std::vector<TCoefficientLine> CoefficientLines(const TRaruRuro& plan);

// The figures of a full analysis for people, and for programs.
std::string AnalysisText(const TRaruRuro& plan);
nlohmann::ordered_json AnalysisJson(const TRaruRuro& plan);

// Numbers for people outside the report: always with a point.
std::string Number(double value);

} // namespace orvanta::cli
