#pragma once

// The rules of the surface wizard that need no window: which factors the two
// lists of page 1 offer and how a choice in one list moves the other, and
// what page 2 takes in its two intervals. The intervals follow the diagram
// wizard's field rules with their own point counts; page 3 is the diagram
// wizard's.

#include "dialogs/DiagramWizardLogic.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvanta {

// ---- Page 1 ----

// The two factors the response is drawn against; never the same one.
struct TFactorPair {
    std::int32_t First = 0;
    std::int32_t Second = 1;
};

// In a list that leaves out factor `excluded`, the factor at `position`
// (-1 for a position before the list, as for no selection) ...
std::int32_t FactorAtPosition(std::int32_t position, std::int32_t excluded);
// ... and the position of `factor` there (-1 for the left-out factor).
std::int32_t PositionOfFactor(std::int32_t factor, std::int32_t excluded);

// The names of a list that leaves out factor `excluded`, in factor order.
std::vector<std::string> NamesWithout(const std::vector<std::string>& names, std::int32_t excluded);

// A choice in the first list: the second factor is read from the second
// list as it stands (it leaves out the old first factor), then the first
// factor from the first list (it leaves out the second). The second list is
// then to be refilled without the new first factor. A row of -1 (an empty
// list) leaves the pair as it was.
TFactorPair FirstListChosen(TFactorPair pair, std::int32_t firstRow, std::int32_t secondRow);
// The same for a choice in the second list, with the roles exchanged.
TFactorPair SecondListChosen(TFactorPair pair, std::int32_t firstRow, std::int32_t secondRow);

// Whether the pair names two different factors of a plan with `factorCount`.
bool ValidPair(TFactorPair pair, std::int32_t factorCount);

// ---- Page 2 ----

constexpr std::int32_t MinSurfacePoints = 3;
constexpr std::int32_t MaxSurfacePoints = 1000;
constexpr std::int32_t FirstSurfacePoints = 10;

inline constexpr TPointsRule SurfacePointsRule{MinSurfacePoints, MaxSurfacePoints,
                                               "Точек разбиения"};

// The first and the second factor's intervals, as typed and as taken.
using TSurfaceTexts = std::array<TDiagramRangeTexts, 2>;
using TSurfaceRanges = std::array<TDiagramRange, 2>;

// A field of page 2: the interval (0 first, 1 second) and the field in it;
// Field None for none.
struct TSurfaceField {
    std::size_t Interval = 0;
    TDiagramRangeField Field = TDiagramRangeField::None;
};

// The field's name in its warnings, its label: "Левая граница",
// "Правая граница", "Точек разбиения".
std::string SurfaceFieldName(TDiagramRangeField field);

// Leaving a field: the program's real or integer check under its label. A
// point count that fails is set back to the smallest.
bool CheckSurfaceField(TDiagramRangeField field, std::string& text);

// Forward: the six field checks in order (first left, right, points, then
// the second's), stopping at the first failure; then "Первая правая граница
// должна быть больше левой." or "Вторая правая граница должна быть больше
// левой." when an interval's bounds are not in order. Gives the field to go
// back to, or Field None with `ranges` filled.
TSurfaceField ValidateSurfaceRanges(TSurfaceTexts& texts, TSurfaceRanges& ranges);

// Cancel: bounds that are not numbers become "0", point counts that are not
// integers in range become the smallest count. No message.
void NormaliseSurfaceRanges(TSurfaceTexts& texts);

} // namespace orvanta
