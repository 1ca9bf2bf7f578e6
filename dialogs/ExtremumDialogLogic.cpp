#include "dialogs/ExtremumDialogLogic.h"

#include "numeric/FieldChecks.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"

#include <algorithm>

namespace orvanta {

namespace {

TSpinField StepsField(const std::string& text) {
    return {text, TExtremumDialogLogic::MinSteps, TExtremumDialogLogic::MaxSteps};
}

TSpinField ApproximationsField(const std::string& text) {
    return {text, TExtremumDialogLogic::MinApproximations, TExtremumDialogLogic::MaxApproximations};
}

// A count typed out of range is brought to the nearer end; a text that is
// no integer at all gives the smallest count.
std::int32_t NormalCount(const TSpinField& field) {
    std::int32_t count = 0;
    if (TextToInt(field.Text, count))
        return std::clamp(count, field.MinValue, field.MaxValue);
    return SpinValueOrDefault(field);
}

// The program's integer check with its warning; on failure the text holds
// the smallest count.
bool CheckCount(std::string& text, TSpinField field, TExtremumField name) {
    const bool ok = CheckSpinInteger(field, TExtremumDialogLogic::FieldName(name));
    text = field.Text;
    return ok;
}

} // namespace

const std::vector<std::string>& TExtremumDialogLogic::MethodNames() {
    static const std::vector<std::string> names{
        "Метод Монте-Карло (случайный поиск)",
        "Метод Гаусса - Зейделя (покоординатный спуск)",
    };
    return names;
}

TExtremumMethod TExtremumDialogLogic::MethodAt(int index) {
    return index == 1 ? TExtremumMethod::GaussSeidel : TExtremumMethod::MonteCarlo;
}

bool TExtremumDialogLogic::UsesSteps(TExtremumMethod method) {
    return method != TExtremumMethod::MonteCarlo;
}

std::string TExtremumDialogLogic::FieldName(TExtremumField field) {
    switch (field) {
    case TExtremumField::Start:
        return "Начальное значение";
    case TExtremumField::End:
        return "Конечное значение";
    case TExtremumField::Steps:
        return "Шагов разбиения";
    case TExtremumField::Approximations:
        return "Количество приближений";
    case TExtremumField::None:
        break;
    }
    return {};
}

void TExtremumDialogLogic::Prepare(std::int32_t factorCount) {
    const auto size = static_cast<std::size_t>(std::max(factorCount, 0));
    Lower.assign(size, -1.0);
    Upper.assign(size, 1.0);
    Current = 0;
}

double TExtremumDialogLogic::LowerBound(std::int32_t factor) const {
    return Lower.at(static_cast<std::size_t>(factor));
}

double TExtremumDialogLogic::UpperBound(std::int32_t factor) const {
    return Upper.at(static_cast<std::size_t>(factor));
}

// With no factor at all the edits still show the box every factor starts
// with.
std::string TExtremumDialogLogic::StartText() const {
    return FormatFull(Current < FactorCount() ? LowerBound(Current) : -1.0);
}

std::string TExtremumDialogLogic::EndText() const {
    return FormatFull(Current < FactorCount() ? UpperBound(Current) : 1.0);
}

std::string TExtremumDialogLogic::StepsText() const {
    return IntToStr(RememberedSteps);
}

std::string TExtremumDialogLogic::ApproximationsText() const {
    return IntToStr(RememberedApproximations);
}

bool TExtremumDialogLogic::CheckBound(TExtremumField field, std::string_view text) {
    double value = 0.0;
    return CheckReal(text, value, FieldName(field));
}

TExtremumField TExtremumDialogLogic::StoreBounds(std::string_view start, std::string_view end) {
    double lower = 0.0;
    double upper = 0.0;
    if (!TextToFloat(start, lower))
        return TExtremumField::Start;
    if (!TextToFloat(end, upper))
        return TExtremumField::End;
    if (lower == upper) {
        ShowWarning("В поле \"Конечное значение\" должна находится\nвеличина, большая " +
                    FormatFull(lower));
        return TExtremumField::End;
    }
    if (Current >= FactorCount())
        return TExtremumField::None;
    const auto i = static_cast<std::size_t>(Current);
    Lower[i] = std::min(lower, upper);
    Upper[i] = std::max(lower, upper);
    return TExtremumField::None;
}

TExtremumField TExtremumDialogLogic::SelectFactor(std::int32_t factor, std::string_view start,
                                                  std::string_view end) {
    const TExtremumField refused = StoreBounds(start, end);
    if (refused == TExtremumField::None && factor >= 0 && factor < FactorCount())
        Current = factor;
    return refused;
}

TExtremumField TExtremumDialogLogic::Validate(TExtremumFieldTexts& texts) {
    if (!CheckBound(TExtremumField::Start, texts.Start))
        return TExtremumField::Start;
    if (!CheckBound(TExtremumField::End, texts.End))
        return TExtremumField::End;
    const TExtremumField refused = StoreBounds(texts.Start, texts.End);
    if (refused != TExtremumField::None)
        return refused;
    if (!CheckCount(texts.Steps, StepsField(texts.Steps), TExtremumField::Steps))
        return TExtremumField::Steps;
    if (!CheckCount(texts.Approximations, ApproximationsField(texts.Approximations),
                    TExtremumField::Approximations))
        return TExtremumField::Approximations;
    RememberedSteps = StrToInt(texts.Steps);
    RememberedApproximations = StrToInt(texts.Approximations);
    texts.Steps = StepsText();
    texts.Approximations = ApproximationsText();
    return TExtremumField::None;
}

void TExtremumDialogLogic::Normalise(TExtremumFieldTexts& texts) {
    texts.Start = RealTextOrZero(texts.Start);
    texts.End = RealTextOrZero(texts.End);
    RememberedSteps = NormalCount(StepsField(texts.Steps));
    RememberedApproximations = NormalCount(ApproximationsField(texts.Approximations));
    texts.Steps = StepsText();
    texts.Approximations = ApproximationsText();
}

TExtremumAnswer TExtremumDialogLogic::Answer(TExtremumMethod method, bool maximum,
                                             bool useLast) const {
    TExtremumAnswer answer;
    answer.Method = method;
    answer.Maximum = maximum;
    answer.UseLast = useLast;
    answer.Steps = RememberedSteps;
    answer.Approximations = RememberedApproximations;
    answer.Lower = Lower;
    answer.Upper = Upper;
    return answer;
}

} // namespace orvanta
