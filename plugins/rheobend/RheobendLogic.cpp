#include "plugins/rheobend/RheobendLogic.h"

#include "plugins/common/PluginText.h"

#include <orvanta/math_module.h>

#include <cmath>
#include <cstring>

namespace orvanta {

namespace {

// "Сумма линейной функции и экспоненты" in Windows-1251: y = b0 + b1 x + b2 e^x.
constexpr const char* CurveModelName =
    "\xd1\xf3\xec\xec\xe0 \xeb\xe8\xed\xe5\xe9\xed\xee\xe9 \xf4\xf3\xed\xea\xf6\xe8\xe8 \xe8 "
    "\xfd\xea\xf1\xef\xee\xed\xe5\xed\xf2\xfb";

constexpr int CurveTerms = 3;

std::vector<std::string> CurvatureLines(const TCurvatureRequest& request, double b1, double b2) {
    std::vector<std::string> lines;
    const double h = (request.To - request.From) / request.Divisions;
    double x = request.From;
    for (int i = 0; i < request.Divisions; ++i, x += h) {
        const double slope = b1 + b2 * std::exp(x);
        const double bend = b2 * std::exp(x);
        const double curvature = bend / std::pow(1.0 + slope * slope, 1.5);
        lines.push_back(FormatShortest(x) + ";" + FormatShortest(curvature));
    }
    return lines;
}

// The curve's lines, or the internal error that stops them.
std::optional<TPluginMessage> CurveLines(OrvPlanService* plan, const TCurvatureRequest& request,
                                         std::vector<std::string>& lines) {
    OrvModel* model = plan && plan->Table ? plan->Table->GetModel(plan) : nullptr;
    if (!model)
        return TPluginMessage::Error("Внутренняя ошибка: GetMainServer()->GetModel()==NULL");
    if (model->Table->RequiredDimension(model) > 1)
        return TPluginMessage::Error("Внутренняя ошибка: model->RequiredDimension()>1");
    // b1 and b2 are read by index: a model with fewer terms has no such
    // coefficients.
    if (model->Table->AddenCount(model) < CurveTerms)
        return TPluginMessage::Error("Внутренняя ошибка: model->AddenCount()<3");
    const double* b = plan->Table->GetCoefficients(plan);
    if (!b)
        return TPluginMessage::Error("Внутренняя ошибка: GetMainServer()->GetCoefficients()==NULL");
    lines = CurvatureLines(request, b[1], b[2]);
    return std::nullopt;
}

} // namespace

bool IsRheobendEnabled(OrvPlanService* plan) {
    if (!plan || !plan->Table)
        return false;
    if (plan->Table->CanDo(plan, ORV_ACTION_NEW_DIAGRAM) == 0)
        return false;
    OrvModel* model = plan->Table->GetModel(plan);
    if (!model)
        return false;
    const char* name = model->Table->GetName(model);
    return name && std::strcmp(name, CurveModelName) == 0;
}

TCurvatureCheck CheckCurvatureFields(const std::string& divisionsText, const std::string& fromText,
                                     const std::string& toText) {
    TCurvatureCheck check;
    TCurvatureRequest& request = check.Request;
    request.Divisions = ReadLeadingInt(divisionsText);
    if (request.Divisions < 3 || request.Divisions > 100) {
        check.Message =
            TPluginMessage::Warning("В поле 'Делений' должно находится число от 3 до 100.");
        return check;
    }
    request.From = ReadLeadingFloat(fromText);
    request.To = ReadLeadingFloat(toText);
    // An interval wider than the largest double would make every step
    // infinite.
    if (request.From >= request.To || !std::isfinite(request.To - request.From))
        check.Message = TPluginMessage::Warning("Неверный интервал изменения аргумента.");
    return check;
}

TCurvatureResult WriteCurvature(OrvPlanService* plan, const TCurvatureRequest& request,
                                const std::string& fileName, TLineFileWriter& writer) {
    TCurvatureResult result;
    std::vector<std::string> lines;
    const std::optional<TPluginMessage> problem = CurveLines(plan, request, lines);
    // An internal problem still leaves the chosen file created and empty;
    // only a file that cannot be written at all is reported as such.
    if (!writer.Write(fileName, lines)) {
        result.Message =
            TPluginMessage::Error("Не удается открыть файл '" + fileName + "' для записи.");
        return result;
    }
    result.Message = problem;
    result.Lines = std::move(lines);
    return result;
}

} // namespace orvanta
