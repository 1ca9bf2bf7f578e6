#pragma once

#include "plan/PlanHost.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// The fields of the extremum dialog that take typed numbers.
enum class TExtremumField { None, Start, End, Steps, Approximations };

// What those fields hold, as typed.
struct TExtremumFieldTexts {
    std::string Start;
    std::string End;
    std::string Steps;
    std::string Approximations;
};

// The rules of the extremum dialog ("Поиск экстремума") without its widgets:
// the search box of every factor, what may be typed into the bound and count
// fields, and the counts remembered from one search to the next.
//
// The bounds are edited one factor at a time. Typed bounds are kept for the
// factor when another one is selected and when the dialog closes with
// "Поиск"; equal bounds are refused, a start above the end is kept the other
// way round. The method list offers Monte Carlo and Gauss-Seidel only: the
// engine's scanning search walks a full grid of (steps + 1)^k points, far too
// long to wait for in front of a window.
class TExtremumDialogLogic {
public:
    static constexpr std::int32_t MinSteps = 1;
    static constexpr std::int32_t MaxSteps = 1000;
    static constexpr std::int32_t FirstSteps = 10;
    static constexpr std::int32_t MinApproximations = 100;
    static constexpr std::int32_t MaxApproximations = 1000000000;
    static constexpr std::int32_t FirstApproximations = 1000;

    // The entries of "Метод поиска:", in list order, and the method of each.
    static const std::vector<std::string>& MethodNames();
    static TExtremumMethod MethodAt(int index);
    // "Шагов разбиения:" counts for Gauss-Seidel, "Количество приближений:"
    // for Monte Carlo.
    static bool UsesSteps(TExtremumMethod method);
    // The field's name in its warnings ("Начальное значение" ...).
    static std::string FieldName(TExtremumField field);

    // Each time the action starts: -1 .. +1 for every factor, the first
    // factor current.
    void Prepare(std::int32_t factorCount);

    std::int32_t FactorCount() const { return static_cast<std::int32_t>(Lower.size()); }
    std::int32_t CurrentFactor() const { return Current; }
    double LowerBound(std::int32_t factor) const;
    double UpperBound(std::int32_t factor) const;
    // The current factor's bounds as the edits show them.
    std::string StartText() const;
    std::string EndText() const;
    // The remembered counts as the spin fields show them.
    std::int32_t Steps() const { return RememberedSteps; }
    std::int32_t Approximations() const { return RememberedApproximations; }
    std::string StepsText() const;
    std::string ApproximationsText() const;

    // Leaving a bound edit: the text must be a real number; otherwise the
    // warning naming the field, and false.
    static bool CheckBound(TExtremumField field, std::string_view text);

    // Keeps the typed bounds for the current factor. Returns the field to
    // go back to when they cannot be kept: a text that is not a number
    // (without a word: leaving that field has already said so) or equal
    // bounds (with the warning); None when they were kept.
    TExtremumField StoreBounds(std::string_view start, std::string_view end);

    // Another factor selected: the typed bounds go to the current factor
    // first; when they cannot, the current factor stays and the field to go
    // back to is returned.
    TExtremumField SelectFactor(std::int32_t factor, std::string_view start, std::string_view end);

    // Closing with "Поиск": the start, the end (and keeping them), then the
    // two counts, each with its warning; the first field that fails is
    // returned (a wrong count is put back to its smallest value in `texts`).
    // On success the counts are remembered.
    TExtremumField Validate(TExtremumFieldTexts& texts);

    // Closing with "Отмена": every field gets a valid value again (a count
    // is brought into its range, a bound that is not a number becomes 0),
    // and the counts are remembered.
    void Normalise(TExtremumFieldTexts& texts);

    // The dialog's answer with the kept bounds and the remembered counts.
    TExtremumAnswer Answer(TExtremumMethod method, bool maximum, bool useLast) const;

private:
    std::vector<double> Lower;
    std::vector<double> Upper;
    std::int32_t Current = 0;
    std::int32_t RememberedSteps = FirstSteps;
    std::int32_t RememberedApproximations = FirstApproximations;
};

} // namespace orvanta
