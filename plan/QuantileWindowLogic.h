#pragma once

#include <array>
#include <optional>
#include <string>

namespace orvanta {

// The quantiles window ("Квантили распределений (p=0.05):") without its
// widgets: the input texts, the result texts and the status line, and the
// rules that recompute them. The window binds its edit fields to this.
class TQuantileWindowLogic {
public:
    // Input fields, in the order the groups are recomputed.
    enum class TInput { PirsonF, CohrenN, CohrenD, StudentF, FisherN, FisherD };
    // Read-only result fields.
    enum class TResult { PirsonL, PirsonR, Cohren, Student, Fisher };

    static constexpr int InputCount = 6;
    static constexpr int ResultCount = 5;

    TQuantileWindowLogic();

    const std::string& Input(TInput field) const;
    const std::string& Result(TResult field) const;
    const std::string& StatusText() const { return Status; }

    // Whether a typed character may enter the field: digits and Backspace
    // only, and no key at all once the field holds more than 7 characters.
    bool AcceptsKey(TInput field, char key) const;

    // The field's text changed (typed or pasted); `focused` is the input that
    // has the focus, if any. Recomputes every group. A recompute may rewrite
    // inputs (0 becomes "1"); the window copies them back into its fields
    // without treating that as another change.
    void SetInput(TInput field, const std::string& text, std::optional<TInput> focused);

    // Recomputes every group (on activation and after every change).
    void Recompute(std::optional<TInput> focused);

private:
    struct TGroup;
    static const TGroup Groups[];

    // False when an input of the group is not an integer.
    bool RecomputeGroup(const TGroup& group, std::optional<TInput> focused);

    std::string& InputText(TInput field);
    std::string& ResultText(TResult field);

    std::array<std::string, InputCount> Inputs;
    std::array<std::string, ResultCount> Results;
    std::string Status;
};

} // namespace orvanta
