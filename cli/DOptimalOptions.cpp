#include "DOptimalOptions.h"

#include "AnalysisOutput.h"

#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"

#include <cstdio>

namespace orvanta::cli {

namespace {

// "a1,...,ak<=c": the coefficients stay unchecked in number until k is known.
TLinearConstraint ReadConstraint(const std::string& text) {
    const auto sign = text.find("<=");
    if (sign == std::string::npos)
        throw TUsageError("ограничение --constraint \"" + text + "\" не имеет вида a1,...,ak<=c");
    return {ParseNumberList(text.substr(0, sign), "--constraint"),
            ParseNumber(text.substr(sign + 2), "--constraint")};
}

bool FitsFactors(std::size_t given, std::int32_t k, const char* what) {
    if (given == 0 || given == static_cast<std::size_t>(k))
        return true;
    ShowWarning(std::string(what) + ": нужно " + IntToStr(k) + " чисел, задано " +
                IntToStr(static_cast<std::int64_t>(given)) + ".");
    return false;
}

} // namespace

TDOptimalOptions ReadDOptimalOptions(const TArguments& arguments) {
    TDOptimalOptions options;
    if (const auto seed = arguments.Value("--seed"))
        options.Seed = static_cast<std::uint32_t>(ParseInteger(*seed, "--seed"));
    if (const auto candidates = arguments.Value("--candidates")) {
        if (*candidates == "continuous")
            options.Candidates = TDOptimalCandidates::Continuous;
        else if (*candidates != "grid")
            throw TUsageError("--candidates принимает grid или continuous");
    }
    if (const auto lower = arguments.Value("--lower"))
        options.Lower = ParseNumberList(*lower, "--lower");
    if (const auto upper = arguments.Value("--upper"))
        options.Upper = ParseNumberList(*upper, "--upper");
    for (const std::string& constraint : arguments.Values("--constraint"))
        options.Constraints.push_back(ReadConstraint(constraint));
    return options;
}

bool FillDOptimalPlan(TRaruRuro& plan, TDOptimalOptions options) {
    const std::int32_t k = plan.FactorCount;
    const std::int32_t n = plan.RunCount;
    if (!FitsFactors(options.Lower.size(), k, "--lower") ||
        !FitsFactors(options.Upper.size(), k, "--upper"))
        return false;
    for (const TLinearConstraint& constraint : options.Constraints)
        if (!FitsFactors(constraint.A.size(), k, "--constraint"))
            return false;
    const TDOptimalPlan design = BuildDOptimalPlanFor(n, PlanBasis(plan), options);
    if (design.Runs.empty()) {
        ShowWarning(design.Message);
        return false;
    }
    for (std::int32_t i = 0; i < n; ++i)
        for (std::int32_t j = 0; j < k; ++j)
            plan.CodeMatrix.Set(i, j, design.Runs[std::size_t(i)][std::size_t(j)]);
    plan.HasCodeMatrix = true;
    plan.RefreshNaturalMatrix();
    std::printf("%s: D-эффективность %s %% (det(X'X)^(1/p)/N = %s).\n",
                design.Mixture ? "D-оптимальный план смеси" : "D-оптимальный план",
                FormatGeneralPoint(design.DEfficiency, 4).c_str(), Number(design.DValue).c_str());
    return true;
}

} // namespace orvanta::cli
