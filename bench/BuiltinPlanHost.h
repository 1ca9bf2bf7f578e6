#pragma once

#include "plan/SilentPlanHost.h"

namespace orvanta::bench {

// Answers the new-plan wizard with one built-in plan and cancels or ignores
// everything else.
class TBuiltinPlanHost : public TSilentPlanHost {
public:
    TBuiltinPlanHost(std::int32_t kind, std::int32_t factors) : Kind(kind), Factors(factors) {}
    std::optional<TNewPlanAnswers> RunNewPlanWizard() override {
        TNewPlanAnswers answers;
        answers.Source = TPlanSource::Builtin;
        return answers;
    }
    std::optional<TBuiltinPlanAnswer> RunBuiltinPlanDialog() override {
        return TBuiltinPlanAnswer{Kind, Factors};
    }

private:
    std::int32_t Kind;
    std::int32_t Factors;
};

} // namespace orvanta::bench
