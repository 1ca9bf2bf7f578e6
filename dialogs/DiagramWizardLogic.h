#pragma once

// The rules of the diagram wizard that need no window: what page 2 takes in
// its bound and point-count fields and what Back or Cancel leave in them,
// which factors page 3 lists, and how page 3 keeps the typed levels. The
// surface wizard shares page 3 and therefore these rules too.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// How a page of the diagram or surface wizard closed: the page frame's
// results.
enum class TPageClose : int { Forward = 1, Cancel = 2, Back = 4 };

// Shows the pages 0 .. count - 1 in turn through `show`, which gives how the
// page closed: Forward moves on, Back goes to the page before (not from the
// first), anything else ends the run. Whether the last page went forward.
bool RunWizardPages(int count, const std::function<int(int page)>& show);

// The fields of page 2 that take typed numbers.
enum class TDiagramRangeField { None, Left, Right, Points };

// Page 2's fields as typed.
struct TDiagramRangeTexts {
    std::string Left;
    std::string Right;
    std::string Points;
};

// Page 2's answer: the interval of the swept factor (coded units) and the
// number of points along it.
struct TDiagramRange {
    double Left = -1.0;
    double Right = 1.0;
    std::int32_t Points = 15;
};

constexpr std::int32_t MinDiagramPoints = 5;
constexpr std::int32_t MaxDiagramPoints = 1000;
constexpr std::int32_t FirstDiagramPoints = 15;

// What an interval's point-count field takes, and its name in warnings. The
// surface wizard's intervals follow the same rules with their own counts.
struct TPointsRule {
    std::int32_t Min = 0;
    std::int32_t Max = 0;
    const char* Name = "";
};

inline constexpr TPointsRule DiagramPointsRule{MinDiagramPoints, MaxDiagramPoints, " Число точек "};

// The field's name in its warnings: "Левая граница", "Правая граница",
// " Число точек ".
std::string DiagramFieldName(TDiagramRangeField field);

// Leaving a field of an interval: the program's real check naming a bound by
// its label, or its integer check of the count within `points`. A count that
// fails is set back to the smallest.
bool CheckRangeField(TDiagramRangeField field, std::string& text, const TPointsRule& points);

// An interval's three fields checked in order, left, right, count, stopping
// at the first failure; whether the bounds are in order is not looked at.
// Gives the field that failed, or None with `range` filled.
TDiagramRangeField CheckRangeFields(TDiagramRangeTexts& texts, const TPointsRule& points,
                                    TDiagramRange& range);

// Whether left < right; otherwise `warning` is shown.
bool BoundsInOrder(const TDiagramRange& range, std::string_view warning);

// Bounds that are not numbers become "0", a count that is not an integer
// within `points` the smallest. No message.
void NormaliseRangeTexts(TDiagramRangeTexts& texts, const TPointsRule& points);

// Leaving a field: the program's real or integer check naming the field.
// A point count that fails is set back to the smallest count.
bool CheckDiagramField(TDiagramRangeField field, std::string& text);

// Forward: the three field checks in order, stopping at the first failure,
// then "Правая граница должна быть больше левой." when the bounds are not in
// order. Gives the field to go back to, or None with `range` filled.
TDiagramRangeField ValidateDiagramRange(TDiagramRangeTexts& texts, TDiagramRange& range);

// Back and Cancel: a bound that is not a number becomes "0", a point count
// that is not an integer in range becomes the smallest count. No message.
void NormaliseDiagramRange(TDiagramRangeTexts& texts);

// A bound as the page reads it when shown: the number, or 0.
double BoundValue(std::string_view text);

// Page 3.
inline constexpr const char* NoFixedFactorsLine = "(фиксированных факторов нет)";
inline constexpr const char* LevelFieldName = "Уровень";

// The factors held at a level, in index order: list entry i stands for the
// i-th factor that is neither of the excluded ones (-1 excludes nothing).
std::vector<std::int32_t> FixedFactors(std::int32_t factorCount, std::int32_t firstExcluded,
                                       std::int32_t secondExcluded);

// The lines of page 3's list: the names of the fixed factors, or the single
// line saying there are none. A factor without a name in `names` is listed
// by an empty line.
std::vector<std::string> FixedFactorLines(const std::vector<std::string>& names,
                                          const std::vector<std::int32_t>& fixed);

// Another list entry chosen: the field's text is taken as the level of
// `factor`. A text that is not a number is reported with the conversion
// error's own message and nothing is stored; false.
bool StoreTypedLevel(std::vector<double>& levels, std::int32_t factor, std::string_view text);

// Forward: the real check named "Уровень"; the level is stored only when it
// passes.
bool StoreCheckedLevel(std::vector<double>& levels, std::int32_t factor, std::string_view text);

// A level as the field shows it (the general 15-digit format).
std::string LevelText(double level);

} // namespace orvanta
