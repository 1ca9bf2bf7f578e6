#include "dialogs/SurfaceWizardLogic.h"

namespace orvanta {

std::int32_t FactorAtPosition(std::int32_t position, std::int32_t excluded) {
    if (position < 0)
        return -1;
    return position < excluded ? position : position + 1;
}

std::int32_t PositionOfFactor(std::int32_t factor, std::int32_t excluded) {
    if (factor == excluded)
        return -1;
    return factor < excluded ? factor : factor - 1;
}

std::vector<std::string> NamesWithout(const std::vector<std::string>& names,
                                      std::int32_t excluded) {
    std::vector<std::string> listed;
    for (std::size_t factor = 0; factor < names.size(); ++factor)
        if (static_cast<std::int32_t>(factor) != excluded)
            listed.push_back(names[factor]);
    return listed;
}

TFactorPair FirstListChosen(TFactorPair pair, std::int32_t firstRow, std::int32_t secondRow) {
    if (firstRow < 0 || secondRow < 0)
        return pair;
    const std::int32_t second = FactorAtPosition(secondRow, pair.First);
    return {FactorAtPosition(firstRow, second), second};
}

TFactorPair SecondListChosen(TFactorPair pair, std::int32_t firstRow, std::int32_t secondRow) {
    if (firstRow < 0 || secondRow < 0)
        return pair;
    const std::int32_t first = FactorAtPosition(firstRow, pair.Second);
    return {first, FactorAtPosition(secondRow, first)};
}

bool ValidPair(TFactorPair pair, std::int32_t factorCount) {
    const auto inPlan = [factorCount](std::int32_t factor) {
        return factor >= 0 && factor < factorCount;
    };
    return inPlan(pair.First) && inPlan(pair.Second) && pair.First != pair.Second;
}

std::string SurfaceFieldName(TDiagramRangeField field) {
    return field == TDiagramRangeField::Points ? SurfacePointsRule.Name : DiagramFieldName(field);
}

bool CheckSurfaceField(TDiagramRangeField field, std::string& text) {
    return CheckRangeField(field, text, SurfacePointsRule);
}

TSurfaceField ValidateSurfaceRanges(TSurfaceTexts& texts, TSurfaceRanges& ranges) {
    TSurfaceRanges typed;
    for (std::size_t interval = 0; interval < texts.size(); ++interval) {
        const TDiagramRangeField refused =
            CheckRangeFields(texts[interval], SurfacePointsRule, typed[interval]);
        if (refused != TDiagramRangeField::None)
            return {interval, refused};
    }
    if (!BoundsInOrder(typed[0], "Первая правая граница должна быть больше левой."))
        return {0, TDiagramRangeField::Right};
    if (!BoundsInOrder(typed[1], "Вторая правая граница должна быть больше левой."))
        return {1, TDiagramRangeField::Right};
    ranges = typed;
    return {};
}

void NormaliseSurfaceRanges(TSurfaceTexts& texts) {
    for (TDiagramRangeTexts& interval : texts)
        NormaliseRangeTexts(interval, SurfacePointsRule);
}

} // namespace orvanta
