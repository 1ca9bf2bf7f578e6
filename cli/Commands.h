#pragma once

#include <string>
#include <vector>

namespace orvanta::cli {

// The tool's exit statuses.
constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 1; // the operation failed; its message was shown
constexpr int ExitUsage = 2;   // the command line does not fit the command

// Every command takes the words after its name and returns the exit status;
// a command line that does not fit raises TUsageError.
using TWords = std::vector<std::string>;

int RunNew(const TWords& words);
int RunSet(const TWords& words);
int RunAnalyze(const TWords& words);
int RunReport(const TWords& words);
int RunStatistics(const TWords& words);
int RunPredict(const TWords& words);
int RunExtremum(const TWords& words);
int RunExport(const TWords& words);
int RunDiagram(const TWords& words);
int RunSurface(const TWords& words);
int RunQuantile(const TWords& words);
int RunModules(const TWords& words);
int RunPlot(const TWords& words);
int RunEvaluate(const TWords& words);
int RunAugment(const TWords& words);
int RunRunSheet(const TWords& words);

} // namespace orvanta::cli
