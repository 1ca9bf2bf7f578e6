#include "plan/QuantileWindowLogic.h"

#include "numeric/NumberText.h"
#include "plan/DistrDis.h"

#include <cstddef>
#include <cstdint>

namespace orvanta {

namespace {

// Assigned from std::string rather than from literals: GCC 12 at -O3 reports a
// false -Wrestrict on assigning a literal to a string member.
const std::string NoDataText = "Нет исходных данных.";
const std::string NearestValueText = "Использовано ближайшее допустимое значение.";
const std::string DoneText = "Операция завершена.";
// What an input of 0 becomes.
const std::string OneText = "1";

// Longest text a key may still be typed into.
constexpr std::size_t MaxTypedLength = 7;

using TInput = TQuantileWindowLogic::TInput;
using TResult = TQuantileWindowLogic::TResult;

} // namespace

// One group of the window: its inputs, its results and how the results follow
// from the inputs read as integers.
struct TQuantileWindowLogic::TGroup {
    std::size_t ArgCount;
    TInput ArgFields[2];
    std::size_t ValueCount;
    TResult ValueFields[2];
    void (*Compute)(const std::int32_t* args, double* values);
};

// The groups in the order they are recomputed (the order of the window).
const TQuantileWindowLogic::TGroup TQuantileWindowLogic::Groups[] = {
    {1,
     {TInput::PirsonF},
     2,
     {TResult::PirsonL, TResult::PirsonR},
     [](const std::int32_t* args, double* values) {
         values[0] = PearsonQuantile(0, args[0]);
         values[1] = PearsonQuantile(1, args[0]);
     }},
    {2,
     {TInput::CohrenN, TInput::CohrenD},
     1,
     {TResult::Cohren},
     // CohrenN is the degrees of freedom of each variance, CohrenD the number
     // of variances.
     [](const std::int32_t* args, double* values) {
         values[0] = CochranQuantile(args[1], args[0]);
     }},
    {1,
     {TInput::StudentF},
     1,
     {TResult::Student},
     [](const std::int32_t* args, double* values) { values[0] = StudentQuantile(args[0]); }},
    {2,
     {TInput::FisherN, TInput::FisherD},
     1,
     {TResult::Fisher},
     // Numerator and denominator degrees of freedom.
     [](const std::int32_t* args, double* values) {
         values[0] = FisherQuantile(args[1], args[0]);
     }},
};

// In the order of TInput: every input 1, except two variances for Cochran's G,
// the least number it compares.
TQuantileWindowLogic::TQuantileWindowLogic() : Inputs{"1", "1", "2", "1", "1", "1"} {}

const std::string& TQuantileWindowLogic::Input(TInput field) const {
    return Inputs[static_cast<std::size_t>(field)];
}

const std::string& TQuantileWindowLogic::Result(TResult field) const {
    return Results[static_cast<std::size_t>(field)];
}

std::string& TQuantileWindowLogic::InputText(TInput field) {
    return Inputs[static_cast<std::size_t>(field)];
}

std::string& TQuantileWindowLogic::ResultText(TResult field) {
    return Results[static_cast<std::size_t>(field)];
}

bool TQuantileWindowLogic::AcceptsKey(TInput field, char key) const {
    if (Input(field).size() > MaxTypedLength)
        return false;
    return (key >= '0' && key <= '9') || key == '\b';
}

void TQuantileWindowLogic::SetInput(TInput field, const std::string& text,
                                    std::optional<TInput> focused) {
    InputText(field) = text;
    Recompute(focused);
}

void TQuantileWindowLogic::Recompute(std::optional<TInput> focused) {
    for (const TGroup& group : Groups) {
        if (!RecomputeGroup(group, focused)) {
            Status = NoDataText;
            return;
        }
    }
}

bool TQuantileWindowLogic::RecomputeGroup(const TGroup& group, std::optional<TInput> focused) {
    bool empty = false;
    for (std::size_t i = 0; i < group.ArgCount; ++i) {
        if (Input(group.ArgFields[i]).empty()) {
            empty = true;
            if (focused == group.ArgFields[i])
                Status = NoDataText;
        }
    }
    if (empty) {
        for (std::size_t i = 0; i < group.ValueCount; ++i)
            ResultText(group.ValueFields[i]).clear();
        return true;
    }

    // A group with a text that is no integer is left as it was, inputs too.
    std::int32_t args[2] = {};
    for (std::size_t i = 0; i < group.ArgCount; ++i) {
        if (!TextToInt(Input(group.ArgFields[i]), args[i]))
            return false;
    }
    for (std::size_t i = 0; i < group.ArgCount; ++i) {
        const bool hasFocus = focused == group.ArgFields[i];
        if (args[i] == 0) {
            // No table has a row for zero degrees of freedom; one is the
            // nearest the user can mean.
            args[i] = 1;
            InputText(group.ArgFields[i]) = OneText;
            if (hasFocus)
                Status = NearestValueText;
        } else if (hasFocus) {
            Status = DoneText;
        }
    }

    double values[2] = {};
    group.Compute(args, values);
    for (std::size_t i = 0; i < group.ValueCount; ++i)
        ResultText(group.ValueFields[i]) = FormatQuantile(values[i]);
    return true;
}

} // namespace orvanta
