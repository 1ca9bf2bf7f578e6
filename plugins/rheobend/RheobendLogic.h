#pragma once

#include "plugins/common/LineFileWriter.h"
#include "plugins/common/PluginMessage.h"

#include <orvanta/plan_service.h>

#include <optional>
#include <string>
#include <vector>

namespace orvanta {

// The menu caption of the tool, in Windows-1251 as the host expects.
inline constexpr const char* CurvatureToolName =
    "\xca\xf0\xe8\xe2\xe8\xe7\xed\xe0 "
    "\xf0\xe5\xee\xeb\xee\xe3\xe8\xf7\xe5\xf1\xea\xee\xe9 "
    "\xea\xf0\xe8\xe2\xee\xe9";

// A one-factor plan with computed coefficients (the diagram action, 27) whose
// model is exactly "Сумма линейной функции и экспоненты".
bool IsRheobendEnabled(OrvPlanService* plan);

// The checked fields of the dialog.
struct TCurvatureRequest {
    int Divisions = 0;
    double From = 0.0;
    double To = 0.0;
};

// The first half of "Расчет": a warning keeps the dialog open; otherwise the
// dialog asks for the file and, whatever happens next, closes.
struct TCurvatureCheck {
    std::optional<TPluginMessage> Message;
    TCurvatureRequest Request;
};

TCurvatureCheck CheckCurvatureFields(const std::string& divisionsText, const std::string& fromText,
                                     const std::string& toText);

// The second half, once a file was chosen: the lines written, or the error
// to show (the file is then left empty, or untouched when it could not be
// written at all).
struct TCurvatureResult {
    std::optional<TPluginMessage> Message;
    std::vector<std::string> Lines;
};

TCurvatureResult WriteCurvature(OrvPlanService* plan, const TCurvatureRequest& request,
                                const std::string& fileName, TLineFileWriter& writer);

} // namespace orvanta
