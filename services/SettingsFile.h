#pragma once

#include "plan/Settings.h"

#include <array>
#include <cstddef>
#include <string>

namespace orvanta {

class TStream;

// "orvan32.cfg": the signature "MTST" followed by the settings record in the
// fixed layout of the old desktop program, so that files stay interchangeable.
constexpr std::size_t SettingsRecordSize = 732;
constexpr std::size_t SettingsFileSize = 4 + SettingsRecordSize;

using TSettingsRecord = std::array<unsigned char, SettingsRecordSize>;

// "Конфигурационный файл поврежден..." shown for a damaged settings file.
extern const char* const SettingsDamagedText;

// The folder of the settings file: $ORVAN32_HOME when it is set and not
// empty; else the program's folder when it is writable; else
// XdgSettingsFolder().
std::string SettingsFolder();

// $XDG_CONFIG_HOME/orvanta (~/.config/orvanta when the variable is unset or
// empty), created when it is missing.
std::string XdgSettingsFolder();

// SettingsFolder() + "/orvan32.cfg".
std::string SettingsPath();

// The record as it is stored: little-endian numbers, flags 0 or 1, texts in
// Windows-1251 cut to leave room for their terminator, gaps zero.
TSettingsRecord EncodeSettings(const TSettings& settings);

// Reads a whole stored record. Gaps are ignored, any non-zero flag byte is
// true, and a text array without a terminator ends at the array's end.
void DecodeSettings(const unsigned char* record, TSettings& settings);

enum class TSettingsRead { Loaded, Damaged, ReadFailed };

// Reads the signature and, when the stream is a whole settings file, the
// record over `settings`. A failed read shows the read error and leaves in
// the record what was read before it. Damaged is left to the caller, which
// owns the file.
TSettingsRead ReadSettings(TStream& stream, TSettings& settings);

// The start-up load: the defaults, then the file's record when the file is
// whole. A missing file is reported and the defaults stay; a damaged one is
// reported and deleted.
void LoadSettings(TSettings& settings, const std::string& path);

// Writes the file at exit. The old file is replaced only by a complete new
// one, so a failed save keeps it as it was. False (after the error message)
// on failure.
bool SaveSettings(const TSettings& settings, const std::string& path);

} // namespace orvanta
