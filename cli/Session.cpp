#include "Session.h"

#include "numeric/Errors.h"
#include "numeric/FileStream.h"
#include "numeric/Messages.h"
#include "numeric/SafeFileStream.h"
#include "plan/PlanFile.h"
#include "plan/Settings.h"
#include "services/ProgramFolder.h"
#include "services/SafeWrite.h"
#include "services/SettingsFile.h"
#include "services/StatisticsSettingsFile.h"
#include "stats/StatisticsReport.h"

#include <algorithm>
#include <memory>
#include <sys/stat.h>

namespace orvanta::cli {

namespace {

// The person's settings shape the report; a missing file is no reason for a
// warning in a script, and a damaged one is the desktop program's to mend.
void LoadSettingsIfPresent() {
    Settings().SetDefaults();
    const std::string path = SettingsPath();
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return;
    TSettings read;
    try {
        TFileStream stream(path);
        if (ReadSettings(stream, read) == TSettingsRead::Loaded)
            Settings() = read;
    } catch (const EStreamError&) {
        // Unreadable: the defaults stay.
    }
    // The statistics options beside it: the report's sections among them.
    // The tool never deletes or writes either file.
    try {
        TFileStream stream(StatisticsSettingsPath());
        std::string text(static_cast<std::size_t>(std::min<std::int64_t>(stream.Size(), 4096)),
                         '\0');
        text.resize(stream.Read(text.data(), text.size()));
        DecodeStatisticsSettings(text, Settings());
    } catch (const EStreamError&) {
        // Missing or unreadable: the defaults stay.
    }
}

TModelChange ModelChangeOption(const TArguments& arguments) {
    const std::string choice = arguments.Value("--insignificant").value_or("zero");
    if (choice == "ignore")
        return TModelChange::Ignore;
    if (choice == "zero")
        return TModelChange::ZeroInsignificant;
    if (choice == "refit")
        return TModelChange::RecomputeSignificant;
    throw TUsageError("--insignificant принимает ignore, zero или refit");
}

} // namespace

double AlphaOption(const TArguments& arguments) {
    const auto text = arguments.Value("--alpha");
    if (!text)
        return 0.05;
    const double alpha = ParseNumber(*text, "--alpha");
    if (!(alpha > 0.0 && alpha < 1.0))
        throw TUsageError("--alpha принимает число больше 0 и меньше 1");
    return alpha;
}

void QuantileOptions(const TArguments& arguments) {
    TSettings& settings = Settings();
    settings.ExactQuantiles = arguments.Has("--exact-quantiles");
    settings.QuantileAlpha = AlphaOption(arguments);
}

TBatchSession::TBatchSession() {
    InstallStatisticsReport();
    LoadSettingsIfPresent();
    Registry.LoadFolder(ProgramFolder() + "/Models");
    Plan.SetMathCatalog(&Registry);
}

bool TBatchSession::Open(const std::string& path) {
    return Service.OpenPlan(path);
}

bool TBatchSession::Save(const std::string& path) {
    // The plan writer reports its own failure; the file is then abandoned.
    struct TAbandoned {};
    try {
        return WriteFileSafely(path, [&](TStream& stream) {
            if (!WritePlan(Plan, stream))
                throw TAbandoned();
        });
    } catch (const TAbandoned&) {
        return false;
    }
}

bool TBatchSession::Analyse(const TArguments& arguments) {
    Host.ModelChange = ModelChangeOption(arguments);
    QuantileOptions(arguments);
    Host.AnswerYes = arguments.Has("--yes");
    TSettings& settings = Settings();
    settings.CBCohrenResultsShow = settings.CBStudentResultsShow = false;
    settings.CBFisherResultsShow = false;
    settings.CBCohrenActivateReport = settings.CBStudentActivateReport = false;
    settings.CBFisherActivateReport = false;
    return Service.RunAnalysis();
}

bool TBatchSession::OpenAnalysed(const TArguments& arguments) {
    // The option values are checked before any file is touched.
    ModelChangeOption(arguments);
    AlphaOption(arguments);
    return Open(arguments.Positional().front()) && Analyse(arguments);
}

TCommandOptions AnalysisOptions(std::vector<std::string> valued, std::vector<std::string> flags) {
    valued.insert(valued.end(), {"--insignificant", "--alpha"});
    flags.insert(flags.end(), {"--yes", "--exact-quantiles"});
    return {std::move(valued), std::move(flags), 1, 1};
}

} // namespace orvanta::cli
