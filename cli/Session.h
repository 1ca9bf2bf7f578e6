#pragma once

#include "Arguments.h"
#include "BatchHost.h"

#include "plan/RaruRuro.h"
#include "services/MathDefinition.h"
#include "services/PlanService.h"

#include <string>

namespace orvanta::cli {

// One run of the tool: the host, the math modules of the program's
// "Models" folder, the plan and its service operations. The settings record
// is read from the settings file when there is one and never written back.
class TBatchSession {
public:
    TBatchSession();
    TBatchSession(const TBatchSession&) = delete;
    TBatchSession& operator=(const TBatchSession&) = delete;

    TBatchHost Host;
    TMathDefinition Registry;
    TRaruRuro Plan{Host};
    TPlanService Service{Plan};

    // Reads the plan file; false after its message.
    bool Open(const std::string& path);
    // Writes the plan file whole or not at all; false after its message.
    bool Save(const std::string& path);
    // The full analysis with the result forms closed, answering the
    // model-change dialog and the doubtful-computation questions from the
    // options --insignificant and --yes.
    bool Analyse(const TArguments& arguments);
    // Opens the plan named by the first plain word and analyses it.
    bool OpenAnalysed(const TArguments& arguments);
};

// The value of --alpha (0.05 without it); a usage error outside (0, 1).
double AlphaOption(const TArguments& arguments);
// --exact-quantiles and --alpha into the settings of the plan's tests.
void QuantileOptions(const TArguments& arguments);

// The options every analysing command accepts.
TCommandOptions AnalysisOptions(std::vector<std::string> valued, std::vector<std::string> flags);

} // namespace orvanta::cli
