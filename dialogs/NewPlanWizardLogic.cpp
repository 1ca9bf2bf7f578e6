#include "dialogs/NewPlanWizardLogic.h"

#include "numeric/Messages.h"
#include "numeric/NumberText.h"

#include <algorithm>

namespace orvanta {

namespace {

TWizardStep AfterStepOne(std::int32_t result, const TWizardRoute& route) {
    if (result != StepForward)
        return TWizardStep::Cancelled;
    switch (route.Source) {
    case TPlanSource::Generator:
        return TWizardStep::StepTwo;
    case TPlanSource::NonStandard:
        return TWizardStep::StepTwoA;
    case TPlanSource::Builtin:
        // The built-in plan dialog follows the wizard.
        return TWizardStep::Done;
    }
    return TWizardStep::Cancelled;
}

bool UsableCounterText(const std::string& text) {
    return !text.empty() && text.size() <= TTermAssignment::MaxCounterText;
}

} // namespace

TWizardStep NextWizardStep(TWizardStep step, std::int32_t result, const TWizardRoute& route) {
    if (result != StepBack && result != StepForward)
        return TWizardStep::Cancelled;
    const bool forward = result == StepForward;
    switch (step) {
    case TWizardStep::StepOne:
        return AfterStepOne(result, route);
    case TWizardStep::StepTwo:
        if (!forward)
            return TWizardStep::StepOne;
        return route.UseGeneratorModel ? TWizardStep::Done : TWizardStep::StepThree;
    case TWizardStep::StepTwoA:
        return forward ? TWizardStep::StepThree : TWizardStep::StepOne;
    case TWizardStep::StepThree:
        if (!forward)
            return route.Source == TPlanSource::NonStandard ? TWizardStep::StepTwoA
                                                            : TWizardStep::StepTwo;
        return route.UseStandardModel ? TWizardStep::Done : TWizardStep::StepFour;
    case TWizardStep::StepFour:
        return forward ? TWizardStep::Done : TWizardStep::StepThree;
    case TWizardStep::Done:
    case TWizardStep::Cancelled:
        break;
    }
    return step;
}

std::string GreetingForHour(int hour) {
    if (hour >= 0 && hour <= 5)
        return "Доброй ночи !";
    if (hour >= 7 && hour <= 9)
        return "Доброе утро !";
    if (hour >= 17 && hour <= 23)
        return "Добрый вечер !";
    return "Добрый день !";
}

std::string WelcomeText(int hour) {
    return " " + GreetingForHour(hour);
}

TPlanSize WizardPlanSize(const TMathCatalog& catalog, TPlanSource source,
                         const std::string& generatorName, std::int32_t factorCount,
                         std::int32_t runCount) {
    if (source == TPlanSource::NonStandard)
        return {factorCount, runCount};
    const std::int32_t index = catalog.GenByName(generatorName);
    if (index < 0) {
        ShowWarning("Внутренняя ошибка: SGetKN->ExternalModules->GenByName()");
        return {};
    }
    TPlanSize size;
    catalog.Generator(index)->GetSize(size.RunCount, size.FactorCount);
    return size;
}

std::vector<std::string> GeneratorNames(const TMathCatalog& catalog) {
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < catalog.GenCount(); ++i)
        names.push_back(catalog.Generator(i)->GetName());
    return names;
}

TDefaultModelView DescribeGenerator(const TMathCatalog& catalog, const std::string& name) {
    TDefaultModelView view;
    const std::int32_t index = catalog.GenByName(name);
    if (index < 0) {
        ShowWarning("Внутренняя ошибка: ExternalModules.GenByName()");
        return view;
    }
    view.Found = true;
    const TModel* model = catalog.Generator(index)->DefaultModel();
    view.HasDefault = model != nullptr;
    view.ModelText = model ? model->GetName() : "(модель по умолчанию отсутствует)";
    return view;
}

std::vector<std::string> ModelNamesForSize(const TMathCatalog& catalog, const TPlanSize& size) {
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < catalog.ModelCount(); ++i) {
        const TModel* model = catalog.Model(i);
        if (model->RequiredDimension() == size.FactorCount && model->AddenCount() <= size.RunCount)
            names.push_back(model->GetName());
    }
    return names;
}

std::vector<const TAdden*> AddensForFactors(const TMathCatalog& catalog, std::int32_t factorCount) {
    std::vector<const TAdden*> addens;
    for (std::int32_t i = 0; i < catalog.AddenCount(); ++i) {
        const TAdden* adden = catalog.Adden(i);
        if (adden->NeededFactors() <= factorCount)
            addens.push_back(adden);
    }
    return addens;
}

std::int32_t ClampedSpinValue(const std::string& text, std::int32_t minValue,
                              std::int32_t maxValue) {
    std::int32_t value = 0;
    if (!TextToInt(text, value))
        return minValue;
    return std::clamp(value, minValue, std::max(minValue, maxValue));
}

// ---- TTermAssignment ----

void TTermAssignment::Prepare(std::int32_t runCount) {
    CountMax = std::clamp(runCount, 1, MaxTerms);
    std::int32_t count = 0;
    if (TextToInt(CountText, count) && count > CountMax)
        CountText = IntToStr(CountMax);
    CountChanged();
}

void TTermAssignment::CountChanged() {
    if (CountText.size() > MaxCounterText)
        CountText = IntToStr(CountMax);
    if (!UsableCounterText(CountText))
        return;
    const std::int32_t count = ClampedSpinValue(CountText, 1, CountMax);
    if (UsableCounterText(IndexText)) {
        if (Position() > count)
            IndexText = IntToStr(count);
    } else {
        IndexText = "1";
    }
    IndexMax = count;
    Entries.resize(static_cast<std::size_t>(count), nullptr);
}

void TTermAssignment::CountLeft() {
    std::int32_t count = 0;
    if (!TextToInt(CountText, count))
        CountText.clear();
}

const TAdden* TTermAssignment::IndexChanged() {
    if (IndexText.size() > MaxCounterText)
        IndexText = IntToStr(IndexMax);
    std::int32_t index = 0;
    if (TextToInt(IndexText, index) && index > IndexMax)
        IndexText = IntToStr(IndexMax);
    const auto position = static_cast<std::size_t>(Position());
    return position <= Entries.size() ? Entries[position - 1] : nullptr;
}

bool TTermAssignment::Assign(const TAdden* adden) {
    if (!UsableCounterText(IndexText))
        return false;
    const auto position = static_cast<std::size_t>(Position());
    if (position > Entries.size())
        return false;
    Entries[position - 1] = adden;
    return true;
}

std::vector<std::int32_t> TTermAssignment::UnassignedPositions() const {
    std::vector<std::int32_t> positions;
    for (std::size_t i = 0; i < Entries.size(); ++i)
        if (!Entries[i])
            positions.push_back(static_cast<std::int32_t>(i + 1));
    return positions;
}

std::vector<std::string> TTermAssignment::BadAddenLines() const {
    std::vector<std::string> lines;
    for (const std::int32_t position : UnassignedPositions())
        lines.push_back("Слагаемое № " + IntToStr(position));
    return lines;
}

void TTermAssignment::ClampCounters() {
    IndexText = IntToStr(Position());
    CountText = IntToStr(ClampedSpinValue(CountText, 1, CountMax));
    CountChanged();
}

} // namespace orvanta
