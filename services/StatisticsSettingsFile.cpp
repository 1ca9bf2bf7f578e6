#include "services/StatisticsSettingsFile.h"

#include "numeric/Errors.h"
#include "numeric/FileStream.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "services/SafeWrite.h"
#include "services/SettingsFile.h"

#include <cstdlib>
#include <memory>
#include <unistd.h>
#include <vector>

namespace orvanta {

namespace {

struct TFlag {
    const char* Name;
    bool TSettings::*Field;
};

const TFlag Flags[] = {
    {"ExactQuantiles", &TSettings::ExactQuantiles},
    {"OpenStatistics", &TSettings::CBOpenStatistics},
    {"AnovaSection", &TSettings::CBAnovaSection},
    {"FitSection", &TSettings::CBFitSection},
    {"IntervalsSection", &TSettings::CBIntervalsSection},
    {"CanonicalSection", &TSettings::CBCanonicalSection},
    {"DiagnosticsSection", &TSettings::CBDiagnosticsSection},
};

// The lines of the text without their line ends; false unless every line
// ends with one.
bool Lines(std::string_view text, std::vector<std::string_view>& lines) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return false;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    return true;
}

bool ReadAlpha(std::string_view text, double& alpha) {
    const std::string value(text);
    char* end = nullptr;
    alpha = std::strtod(value.c_str(), &end);
    return !value.empty() && end == value.c_str() + value.size() && alpha > 0.0 && alpha < 1.0;
}

} // namespace

std::string StatisticsSettingsPath() {
    return SettingsFolder() + "/orvan32stat.cfg";
}

std::string EncodeStatisticsSettings(const TSettings& settings) {
    std::string text = std::string("ErrorTerm=") +
                       (settings.StatisticsPureError ? "pure" : "residual") + "\n" +
                       "Alpha=" + FormatShortestPoint(settings.QuantileAlpha) + "\n";
    for (const TFlag& flag : Flags)
        text += std::string(flag.Name) + "=" + (settings.*flag.Field ? "1" : "0") + "\n";
    return text;
}

bool DecodeStatisticsSettings(std::string_view text, TSettings& settings) {
    std::vector<std::string_view> lines;
    if (!Lines(text, lines) || lines.size() != 2 + std::size(Flags))
        return false;
    TSettings read = settings;
    const auto value = [&lines](std::size_t i,
                                std::string_view name) -> std::optional<std::string_view> {
        const std::string_view line = lines[i];
        if (line.size() <= name.size() || line.substr(0, name.size()) != name ||
            line[name.size()] != '=')
            return std::nullopt;
        return line.substr(name.size() + 1);
    };
    const auto error = value(0, "ErrorTerm");
    if (!error || (*error != "pure" && *error != "residual"))
        return false;
    read.StatisticsPureError = *error == "pure";
    const auto alpha = value(1, "Alpha");
    if (!alpha || !ReadAlpha(*alpha, read.QuantileAlpha))
        return false;
    for (std::size_t i = 0; i < std::size(Flags); ++i) {
        const auto flag = value(2 + i, Flags[i].Name);
        if (!flag || (*flag != "0" && *flag != "1"))
            return false;
        read.*Flags[i].Field = *flag == "1";
    }
    settings = read;
    return true;
}

void LoadStatisticsSettings(TSettings& settings, const std::string& path) {
    DecodeStatisticsSettings(EncodeStatisticsSettings(TSettings()), settings);
    std::string text;
    try {
        TFileStream stream(path);
        text.resize(static_cast<std::size_t>(std::min<std::int64_t>(stream.Size(), 4096)));
        text.resize(stream.Read(text.data(), text.size()));
    } catch (const EFOpenError&) {
        return;
    } catch (const EStreamError&) {
        text.clear();
    }
    if (DecodeStatisticsSettings(text, settings))
        return;
    ShowWarning(SettingsDamagedText);
    ::unlink(path.c_str());
}

bool SaveStatisticsSettings(const TSettings& settings, const std::string& path) {
    const std::string text = EncodeStatisticsSettings(settings);
    return WriteFileSafely(path,
                           [&text](TStream& stream) { stream.Write(text.data(), text.size()); });
}

} // namespace orvanta
