#pragma once

#include "plan/Settings.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

// "orvan32stat.cfg", beside "orvan32.cfg" (whose fixed layout has no room
// for them): the options of the model statistics as UTF-8 lines
// "Name=value", one per option, in a fixed order.
std::string StatisticsSettingsPath();

std::string EncodeStatisticsSettings(const TSettings& settings);
// The options of a whole, well-formed text over `settings`; false, with
// `settings` untouched, for anything else (an unknown or missing name, a
// value out of its range).
bool DecodeStatisticsSettings(std::string_view text, TSettings& settings);

// The start-up load, after the main settings file: a missing file leaves the
// defaults silently (it appears at the first exit); a damaged one is
// reported as the main file's damage is, deleted, and leaves the defaults.
void LoadStatisticsSettings(TSettings& settings, const std::string& path);
// The exit save: the old file is replaced only by a complete new one. False
// (after the error message) on failure.
bool SaveStatisticsSettings(const TSettings& settings, const std::string& path);

} // namespace orvanta
