#pragma once

// The rules of the new-plan wizard that need no window: where each step
// leads, what the steps list from the math modules, and how step 4 keeps its
// terms in step with the two counters. The step windows only bind widgets to
// these.

#include "plan/MathObjects.h"
#include "plan/PlanHost.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvanta {

// How a step window closed. A window is set to cancel whenever it is shown,
// so any other way of closing it counts as cancel.
constexpr std::int32_t StepBack = 0;
constexpr std::int32_t StepForward = 1;
constexpr std::int32_t StepCancel = 2;

// The places of the wizard: its five steps and its two ends.
enum class TWizardStep { StepOne, StepTwo, StepTwoA, StepThree, StepFour, Done, Cancelled };

// What the steps already answered that decides where forward and back lead.
struct TWizardRoute {
    TPlanSource Source = TPlanSource::Generator; // step 1's radio buttons
    bool UseGeneratorModel = false; // step 2's "Использовать эту модель"
    bool UseStandardModel = false; // step 3's "Использовать одну из стандартных моделей"
};

// The place after `step` closed with `result`; an unknown result cancels.
TWizardStep NextWizardStep(TWizardStep step, std::int32_t result, const TWizardRoute& route);

// Step 1's greeting for the local hour 0 .. 23, and the text of its label
// (the greeting after one blank).
std::string GreetingForHour(int hour);
std::string WelcomeText(int hour);

// The factor and run counts that steps 3 and 4 offer models and terms for.
struct TPlanSize {
    std::int32_t FactorCount = 0;
    std::int32_t RunCount = 0;
    bool operator==(const TPlanSize&) const = default;
};

// A non-standard plan takes the counts typed in step 2A; a standard plan
// takes the size its generator reports. A generator name missing from the
// registry gives the internal-error warning and a size of zeros, for which
// nothing is offered.
TPlanSize WizardPlanSize(const TMathCatalog& catalog, TPlanSource source,
                         const std::string& generatorName, std::int32_t factorCount,
                         std::int32_t runCount);

// Step 2: every generator's name, in registry order.
std::vector<std::string> GeneratorNames(const TMathCatalog& catalog);

// Step 2's model field and check box for the selected generator.
struct TDefaultModelView {
    bool Found = false;      // the generator is in the registry
    bool HasDefault = false; // it proposes a model: the check box is enabled
    std::string ModelText; // "(модель по умолчанию отсутствует)" without one
};
// A name missing from the registry gives the internal-error warning.
TDefaultModelView DescribeGenerator(const TMathCatalog& catalog, const std::string& name);

// Step 3: the names of the models defined for k factors that have no more
// terms than the plan has runs, in registry order.
std::vector<std::string> ModelNamesForSize(const TMathCatalog& catalog, const TPlanSize& size);

// Step 4: the addens that need no more than k factors, in registry order.
std::vector<const TAdden*> AddensForFactors(const TMathCatalog& catalog, std::int32_t factorCount);

// An integer field read as a spin field reads it: the number brought into
// the range, the minimum when the text is not a number.
std::int32_t ClampedSpinValue(const std::string& text, std::int32_t minValue,
                              std::int32_t maxValue);

// Step 4's two counters, as texts since a person may type anything into
// them, and its term assignment list: one entry per term position, each an
// adden of the registry or none. The list always has as many entries as the
// term count says and keeps them between runs of the wizard.
class TTermAssignment {
public:
    static constexpr std::int32_t MaxTerms = 256;
    // Counter texts longer than this are taken for the largest value.
    static constexpr std::size_t MaxCounterText = 6;

    // "Число слагаемых:" and its largest value.
    std::string CountText = "4";
    std::int32_t CountMax = MaxTerms;
    // "Номер слагаемого в модели:"; its largest value is the term count.
    std::string IndexText = "1";
    std::int32_t IndexMax = 4;

    const std::vector<const TAdden*>& Terms() const { return Entries; }

    // The step is shown for a plan of `runCount` runs: no more terms than
    // runs (and never more than 256), then the count rule below.
    void Prepare(std::int32_t runCount);
    // The term count changed: a text too long becomes the largest count;
    // a readable count keeps the position within it, becomes the position's
    // maximum and resizes the list (dropping entries at the end, adding
    // empty ones).
    void CountChanged();
    // Leaving the term count with a text that is not a number empties it.
    void CountLeft();
    // The position changed: a text too long, or a value above the maximum,
    // becomes the maximum. Gives the adden at the position, or null.
    const TAdden* IndexChanged();
    // A function was chosen for the current position; nothing happens while
    // the position field holds no usable text. True when assigned.
    bool Assign(const TAdden* adden);
    // The 1-based positions without a function.
    std::vector<std::int32_t> UnassignedPositions() const;
    // The lines of the bad-addens dialog: "Слагаемое № i" per unassigned i.
    std::vector<std::string> BadAddenLines() const;
    // Going back (or cancelling with Esc) leaves both counters readable: the
    // position first, then the count, each replaced by its clamped value.
    void ClampCounters();

    // The current position (1-based) as the field reads.
    std::int32_t Position() const { return ClampedSpinValue(IndexText, 1, IndexMax); }

private:
    std::vector<const TAdden*> Entries = std::vector<const TAdden*>(4, nullptr);
};

} // namespace orvanta
