#include "dialogs/DiagramWizardLogic.h"

#include "numeric/Errors.h"
#include "numeric/FieldChecks.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"

namespace orvanta {

namespace {

TSpinField PointsField(const std::string& text, const TPointsRule& points) {
    return {text, points.Min, points.Max};
}

bool HoldsFactor(const std::vector<double>& levels, std::int32_t factor) {
    return factor >= 0 && static_cast<std::size_t>(factor) < levels.size();
}

} // namespace

bool RunWizardPages(int count, const std::function<int(int page)>& show) {
    int page = 0;
    while (page < count) {
        const int result = show(page);
        if (result == static_cast<int>(TPageClose::Forward))
            ++page;
        else if (result == static_cast<int>(TPageClose::Back) && page > 0)
            --page;
        else
            return false; // Cancel, or the page closed some other way
    }
    return true;
}

std::string DiagramFieldName(TDiagramRangeField field) {
    switch (field) {
    case TDiagramRangeField::Left:
        return "Левая граница";
    case TDiagramRangeField::Right:
        return "Правая граница";
    case TDiagramRangeField::Points:
        return DiagramPointsRule.Name;
    case TDiagramRangeField::None:
        break;
    }
    return {};
}

bool CheckRangeField(TDiagramRangeField field, std::string& text, const TPointsRule& points) {
    if (field == TDiagramRangeField::Points) {
        TSpinField count = PointsField(text, points);
        const bool ok = CheckSpinInteger(count, points.Name);
        text = count.Text;
        return ok;
    }
    double value = 0.0;
    return CheckReal(text, value, DiagramFieldName(field));
}

bool CheckDiagramField(TDiagramRangeField field, std::string& text) {
    return CheckRangeField(field, text, DiagramPointsRule);
}

TDiagramRangeField CheckRangeFields(TDiagramRangeTexts& texts, const TPointsRule& points,
                                    TDiagramRange& range) {
    double left = 0.0;
    double right = 0.0;
    if (!CheckReal(texts.Left, left, DiagramFieldName(TDiagramRangeField::Left)))
        return TDiagramRangeField::Left;
    if (!CheckReal(texts.Right, right, DiagramFieldName(TDiagramRangeField::Right)))
        return TDiagramRangeField::Right;
    if (!CheckRangeField(TDiagramRangeField::Points, texts.Points, points))
        return TDiagramRangeField::Points;
    range = {left, right, SpinValueOrDefault(PointsField(texts.Points, points))};
    return TDiagramRangeField::None;
}

bool BoundsInOrder(const TDiagramRange& range, std::string_view warning) {
    if (range.Left < range.Right)
        return true;
    ShowWarning(std::string(warning));
    return false;
}

TDiagramRangeField ValidateDiagramRange(TDiagramRangeTexts& texts, TDiagramRange& range) {
    TDiagramRange typed;
    const TDiagramRangeField refused = CheckRangeFields(texts, DiagramPointsRule, typed);
    if (refused != TDiagramRangeField::None)
        return refused;
    if (!BoundsInOrder(typed, "Правая граница должна быть больше левой."))
        return TDiagramRangeField::Right;
    range = typed;
    return TDiagramRangeField::None;
}

void NormaliseRangeTexts(TDiagramRangeTexts& texts, const TPointsRule& points) {
    texts.Left = RealTextOrZero(texts.Left);
    texts.Right = RealTextOrZero(texts.Right);
    texts.Points = IntToStr(SpinValueOrDefault(PointsField(texts.Points, points)));
}

void NormaliseDiagramRange(TDiagramRangeTexts& texts) {
    NormaliseRangeTexts(texts, DiagramPointsRule);
}

double BoundValue(std::string_view text) {
    double value = 0.0;
    return TextToFloat(text, value) ? value : 0.0;
}

std::vector<std::int32_t> FixedFactors(std::int32_t factorCount, std::int32_t firstExcluded,
                                       std::int32_t secondExcluded) {
    std::vector<std::int32_t> fixed;
    for (std::int32_t factor = 0; factor < factorCount; ++factor)
        if (factor != firstExcluded && factor != secondExcluded)
            fixed.push_back(factor);
    return fixed;
}

std::vector<std::string> FixedFactorLines(const std::vector<std::string>& names,
                                          const std::vector<std::int32_t>& fixed) {
    if (fixed.empty())
        return {NoFixedFactorsLine};
    std::vector<std::string> lines;
    for (const std::int32_t factor : fixed)
        lines.push_back(static_cast<std::size_t>(factor) < names.size() ? names[factor]
                                                                        : std::string());
    return lines;
}

bool StoreTypedLevel(std::vector<double>& levels, std::int32_t factor, std::string_view text) {
    double level = 0.0;
    try {
        level = StrToFloat(text);
    } catch (const EConvertError& error) {
        ShowError(error.what());
        return false;
    }
    if (HoldsFactor(levels, factor))
        levels[factor] = level;
    return true;
}

bool StoreCheckedLevel(std::vector<double>& levels, std::int32_t factor, std::string_view text) {
    double level = 0.0;
    if (!CheckReal(text, level, LevelFieldName))
        return false;
    if (HoldsFactor(levels, factor))
        levels[factor] = level;
    return true;
}

std::string LevelText(double level) {
    return FormatFull(level);
}

} // namespace orvanta
