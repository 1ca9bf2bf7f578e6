#include "plugins/trilattice/TrilatticeLogic.h"

#include "plugins/common/PluginText.h"

#include <orvanta/math_module.h>

#include <cmath>
#include <string_view>

namespace orvanta {

namespace {

// "Полином Шеффе" in Windows-1251: every Scheffé model's name opens with it.
constexpr std::string_view ScheffePrefix = "\xcf\xee\xeb\xe8\xed\xee\xec \xd8\xe5\xf4\xf4\xe5";

const char* const DivisionsWarning = "В поле 'Делений' должно находится число от 3 до 100.";

// The divisions field, or the warning when it is out of range.
std::optional<TPluginMessage> ReadDivisions(const std::string& text, int& divisions) {
    divisions = ReadLeadingInt(text);
    if (divisions < MinLatticeDivisions || divisions > MaxLatticeDivisions)
        return TPluginMessage::Warning(DivisionsWarning);
    return std::nullopt;
}

double Predict(OrvPlanService* plan, const TSimplexPoint& point) {
    double value = NAN;
    if (plan && plan->Table && plan->Table->PredictAt)
        plan->Table->PredictAt(plan, point.data(), &value);
    return value;
}

bool Replaces(double candidate, double best, TExtremumKind kind) {
    if (kind == TExtremumKind::Minimum)
        return !(candidate >= best); // a value that is not a number always wins
    return candidate > best;
}

} // namespace

bool IsTrilatticeEnabled(OrvPlanService* plan) {
    if (!plan || !plan->Table)
        return false;
    const OrvPlanServiceTable& table = *plan->Table;
    if (table.CanDo(plan, ORV_ACTION_NEW_SURFACE) == 0)
        return false;
    int32_t factors = 0;
    table.GetDimensions(plan, &factors, nullptr, nullptr);
    if (factors != 3)
        return false;
    OrvModel* model = table.GetModel(plan);
    return model && StartsWith(model->Table->GetName(model), ScheffePrefix);
}

TLatticeResult WriteLattice(OrvPlanService* plan, const std::string& divisionsText,
                            const std::string& fileName, TLineFileWriter& writer) {
    TLatticeResult result;
    int divisions = 0;
    result.Message = ReadDivisions(divisionsText, divisions);
    if (result.Message)
        return result;
    if (fileName.empty()) {
        result.Message = TPluginMessage::Warning("В поле 'Файл' должно находится имя файла.");
        return result;
    }
    for (const TSimplexPoint& point : SimplexLatticePoints(divisions))
        result.Lines.push_back(FormatFixed(point[0]) + ";" + FormatFixed(point[1]) + ";" +
                               FormatFixed(point[2]) + ";" + FormatFixed(Predict(plan, point)));
    if (!writer.Write(fileName, result.Lines)) {
        result.Message =
            TPluginMessage::Error("Не удается открыть файл '" + fileName + "' для записи.");
        result.Lines.clear();
        return result;
    }
    result.Written = true;
    return result;
}

TExtremumResult FindSimplexExtremum(OrvPlanService* plan, const std::string& divisionsText,
                                    TExtremumKind kind) {
    TExtremumResult result;
    int divisions = 0;
    result.Message = ReadDivisions(divisionsText, divisions);
    if (result.Message)
        return result;
    // The search starts from the centroid, so a lattice point only wins by
    // being strictly better.
    result.Point = {1.0 / 3.0, 1.0 / 3.0, 1.0 / 3.0};
    result.Value = Predict(plan, result.Point);
    for (const TSimplexPoint& point : SimplexLatticePoints(divisions)) {
        const double value = Predict(plan, point);
        if (Replaces(value, result.Value, kind)) {
            result.Point = point;
            result.Value = value;
        }
    }
    result.Text = std::string("Координаты точки ") +
                  (kind == TExtremumKind::Minimum ? "минимума" : "максимума") + ":\r\n" +
                  FormatFixed(result.Point[0]) + "\r\n" + FormatFixed(result.Point[1]) + "\r\n" +
                  FormatFixed(result.Point[2]) + "\r\nЗначение: " + FormatFixed(result.Value);
    return result;
}

} // namespace orvanta
