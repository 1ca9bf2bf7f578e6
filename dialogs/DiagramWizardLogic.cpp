#include "dialogs/DiagramWizardLogic.h"

#include "numeric/Errors.h"
#include "numeric/FieldChecks.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"

namespace orvanta {

namespace {

TSpinField PointsField(const std::string& text) {
    return {text, MinDiagramPoints, MaxDiagramPoints};
}

bool HoldsFactor(const std::vector<double>& levels, std::int32_t factor) {
    return factor >= 0 && static_cast<std::size_t>(factor) < levels.size();
}

} // namespace

std::string DiagramFieldName(TDiagramRangeField field) {
    switch (field) {
    case TDiagramRangeField::Left:
        return "Левая граница";
    case TDiagramRangeField::Right:
        return "Правая граница";
    case TDiagramRangeField::Points:
        return " Число точек ";
    case TDiagramRangeField::None:
        break;
    }
    return {};
}

bool CheckDiagramField(TDiagramRangeField field, std::string& text) {
    if (field == TDiagramRangeField::Points) {
        TSpinField points = PointsField(text);
        const bool ok = CheckSpinInteger(points, DiagramFieldName(field));
        text = points.Text;
        return ok;
    }
    double value = 0.0;
    return CheckReal(text, value, DiagramFieldName(field));
}

TDiagramRangeField ValidateDiagramRange(TDiagramRangeTexts& texts, TDiagramRange& range) {
    double left = 0.0;
    double right = 0.0;
    if (!CheckReal(texts.Left, left, DiagramFieldName(TDiagramRangeField::Left)))
        return TDiagramRangeField::Left;
    if (!CheckReal(texts.Right, right, DiagramFieldName(TDiagramRangeField::Right)))
        return TDiagramRangeField::Right;
    if (!CheckDiagramField(TDiagramRangeField::Points, texts.Points))
        return TDiagramRangeField::Points;
    if (left >= right) {
        ShowWarning("Правая граница должна быть больше левой.");
        return TDiagramRangeField::Right;
    }
    range = {left, right, SpinValueOrDefault(PointsField(texts.Points))};
    return TDiagramRangeField::None;
}

void NormaliseDiagramRange(TDiagramRangeTexts& texts) {
    texts.Left = RealTextOrZero(texts.Left);
    texts.Right = RealTextOrZero(texts.Right);
    texts.Points = IntToStr(SpinValueOrDefault(PointsField(texts.Points)));
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
