#include "services/SettingsFile.h"

#include "numeric/Cp1251.h"
#include "numeric/Errors.h"
#include "numeric/FileStream.h"
#include "numeric/Messages.h"
#include "numeric/SafeFileStream.h"
#include "services/ProgramFolder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <pwd.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanta {

namespace {

// The stray bracket is part of the message people have always seen.
const char* const NotFoundText =
    "Конфигурационный фай]л не найден.\nБудут использованы установки по умолчанию.";
} // namespace

const char* const SettingsDamagedText =
    "Конфигурационный файл поврежден.\nБудут использованы установки по умолчанию.";

namespace {

const char* const ReadErrorText = "Ошибка чтения конфигурационных данных.";
const char* const CreateErrorText = "Ошибка создания конфигурационного файла.";
const char* const WriteErrorText = "Ошибка записи конфигурационных данных.";

constexpr char Signature[4] = {'M', 'T', 'S', 'T'};

// ---- The record layout ----

struct TFlagField {
    std::size_t Offset;
    bool TSettings::*Member;
};

// One-byte values that are not flags (a window state, list indexes).
struct TByteField {
    std::size_t Offset;
    std::uint8_t TSettings::*Member;
};

struct TIntField {
    std::size_t Offset;
    std::int32_t TSettings::*Member;
};

struct TColorField {
    std::size_t Offset;
    TColorValue TSettings::*Member;
};

struct TTextField {
    std::size_t Offset;
    std::size_t Size;
    std::string TSettings::*Member;
};

struct TFontIntField {
    std::size_t Offset;
    std::int32_t TFontRecord::*Member;
};

struct TFontByteField {
    std::size_t Offset;
    std::uint8_t TFontRecord::*Member;
};

using S = TSettings;

// clang-format off
constexpr TFlagField FlagFields[] = {
    {20, &S::ToolbarVisible}, {21, &S::StatusBarVisible}, {22, &S::MenuBarVisible},
    {23, &S::FullScreen}, {24, &S::AllowNoBars}, {25, &S::CBAskIfReportChanged},
    {26, &S::CBShowHideList}, {27, &S::CBShowShowList}, {28, &S::CBShowArrangeList},
    {29, &S::CBShowHints}, {30, &S::CBCohrenResultsShow}, {31, &S::CBCohrenActivateReport},
    {32, &S::CBStudentResultsShow}, {33, &S::CBStudentActivateReport},
    {34, &S::CBFisherResultsShow}, {35, &S::CBFisherActivateReport}, {36, &S::CBExportAllCoords},
    {37, &S::CBAlsoCreateY}, {38, &S::CBCPForSaturated}, {40, &S::CBUseDivider},
    {297, &S::CBTimeDate}, {298, &S::CBDegree}, {299, &S::CBpType}, {300, &S::CBN},
    {301, &S::CBModelType}, {302, &S::CBMainMatrix}, {303, &S::CBNaturalMatrix},
    {304, &S::CBMLVector}, {305, &S::CBDFVector}, {306, &S::CBExpandedMatrix}, {307, &S::CBMMatrix},
    {308, &S::CBCMatrix}, {309, &S::CBR}, {310, &S::CBYMatrix}, {311, &S::CBAVector},
    {312, &S::CBDVector}, {313, &S::CBSVector}, {314, &S::CBDV}, {315, &S::CBDmax},
    {316, &S::CBActualBSize}, {317, &S::CBBVector}, {318, &S::CBDad}, {319, &S::CBCohrenAnalysis},
    {320, &S::CBFisherAnalysis}, {321, &S::CBMainPoint}, {322, &S::CBMarkEndOfReport},
    {660, &S::CBPoints2D}, {668, &S::CBNaturalX}, {669, &S::CBGridVisible}, {680, &S::CBShowLog},
    {681, &S::CBDescribePFDs}, {682, &S::CBDrawLines}, {683, &S::CBBlendSurface},
    {684, &S::CBDrawBBox}, {685, &S::CBShowFPS}, {686, &S::CBDrawBasis}, {692, &S::CBNaturalXY},
    {693, &S::CBUseVR}, {716, &S::CBPoints3D},
};
// clang-format on

constexpr TByteField ByteFields[] = {
    {0, &S::WindowState}, {676, &S::CBGridStyle}, {717, &S::LBSurfScheme}};

// clang-format off
constexpr TIntField IntFields[] = {
    {4, &S::WindowLeft}, {8, &S::WindowTop}, {12, &S::WindowWidth}, {16, &S::WindowHeight},
    {688, &S::TBMass},
};
// clang-format on

constexpr TColorField ColorFields[] = {
    {324, &S::ReportBackColor}, {328, &S::ReportTextColor}, {648, &S::SColor},
    {652, &S::SCopyColor},      {656, &S::SSeriesColor},    {664, &S::SAxisColor},
    {672, &S::SGridColor},      {696, &S::SBackColor},      {700, &S::SXWallColor},
    {704, &S::SYWallColor},     {708, &S::SZWallColor},     {712, &S::SBBoxColor},
    {720, &S::SSurfColor1},     {724, &S::SSurfColor2},     {728, &S::SLineColor}};

constexpr TTextField TextFields[] = {{41, 256, &S::EDividerString}, {392, 256, &S::ELegend}};

// The report font is a Windows LOGFONT record.
constexpr std::size_t FontOffset = 332;
constexpr std::size_t FaceNameOffset = FontOffset + 28;
constexpr std::size_t FaceNameSize = 32;

constexpr TFontIntField FontIntFields[] = {{FontOffset + 0, &TFontRecord::Height},
                                           {FontOffset + 4, &TFontRecord::Width},
                                           {FontOffset + 8, &TFontRecord::Escapement},
                                           {FontOffset + 12, &TFontRecord::Orientation},
                                           {FontOffset + 16, &TFontRecord::Weight}};

constexpr TFontByteField FontByteFields[] = {
    {FontOffset + 20, &TFontRecord::Italic},       {FontOffset + 21, &TFontRecord::Underline},
    {FontOffset + 22, &TFontRecord::StrikeOut},    {FontOffset + 23, &TFontRecord::CharSet},
    {FontOffset + 24, &TFontRecord::OutPrecision}, {FontOffset + 25, &TFontRecord::ClipPrecision},
    {FontOffset + 26, &TFontRecord::Quality},      {FontOffset + 27, &TFontRecord::PitchAndFamily}};

// ---- Bytes ----

void PutInt32(unsigned char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t GetInt32(const unsigned char* at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | at[i];
    return value;
}

// Texts keep one byte for their terminator; the rest of the array stays zero.
void PutText(unsigned char* at, std::size_t size, const std::string& text) {
    const std::string bytes = Utf8ToCp1251(text);
    std::memcpy(at, bytes.data(), std::min(bytes.size(), size - 1));
}

std::string GetText(const unsigned char* at, std::size_t size) {
    const auto* chars = reinterpret_cast<const char*>(at);
    const auto* end = static_cast<const char*>(std::memchr(chars, 0, size));
    return Cp1251ToUtf8(std::string_view(chars, end ? end - chars : size));
}

// ---- Folders ----

std::string WithoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string UserHome() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return WithoutTrailingSlashes(home);
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir && *user->pw_dir)
        return WithoutTrailingSlashes(user->pw_dir);
    return ".";
}

} // namespace

std::string SettingsFolder() {
    if (const char* home = std::getenv("ORVAN32_HOME"); home && *home)
        return WithoutTrailingSlashes(home);
    const std::string program = ProgramFolder();
    if (::access(program.c_str(), W_OK) == 0)
        return program;
    return XdgSettingsFolder();
}

std::string XdgSettingsFolder() {
    // A relative XDG_CONFIG_HOME is not valid and counts as unset.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string base =
        config && config[0] == '/' ? WithoutTrailingSlashes(config) : UserHome() + "/.config";
    const std::string folder = base == "/" ? "/orvanta" : base + "/orvanta";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

std::string SettingsPath() {
    return SettingsFolder() + "/orvan32.cfg";
}

TSettingsRecord EncodeSettings(const TSettings& settings) {
    TSettingsRecord record{};
    unsigned char* const r = record.data();
    for (const auto& f : FlagFields)
        r[f.Offset] = settings.*f.Member ? 1 : 0;
    for (const auto& f : ByteFields)
        r[f.Offset] = settings.*f.Member;
    for (const auto& f : IntFields)
        PutInt32(r + f.Offset, static_cast<std::uint32_t>(settings.*f.Member));
    for (const auto& f : ColorFields)
        PutInt32(r + f.Offset, settings.*f.Member);
    for (const auto& f : TextFields)
        PutText(r + f.Offset, f.Size, settings.*f.Member);
    const TFontRecord& font = settings.ReportFont;
    for (const auto& f : FontIntFields)
        PutInt32(r + f.Offset, static_cast<std::uint32_t>(font.*f.Member));
    for (const auto& f : FontByteFields)
        r[f.Offset] = font.*f.Member;
    PutText(r + FaceNameOffset, FaceNameSize, font.FaceName);
    return record;
}

void DecodeSettings(const unsigned char* record, TSettings& settings) {
    for (const auto& f : FlagFields)
        settings.*f.Member = record[f.Offset] != 0;
    for (const auto& f : ByteFields)
        settings.*f.Member = record[f.Offset];
    for (const auto& f : IntFields)
        settings.*f.Member = static_cast<std::int32_t>(GetInt32(record + f.Offset));
    for (const auto& f : ColorFields)
        settings.*f.Member = GetInt32(record + f.Offset);
    for (const auto& f : TextFields)
        settings.*f.Member = GetText(record + f.Offset, f.Size);
    TFontRecord& font = settings.ReportFont;
    for (const auto& f : FontIntFields)
        font.*f.Member = static_cast<std::int32_t>(GetInt32(record + f.Offset));
    for (const auto& f : FontByteFields)
        font.*f.Member = record[f.Offset];
    font.FaceName = GetText(record + FaceNameOffset, FaceNameSize);
}

TSettingsRead ReadSettings(TStream& stream, TSettings& settings) {
    char signature[sizeof Signature] = {};
    // The record is read over what the settings hold, so that a read that
    // breaks off changes only the fields it reached.
    TSettingsRecord record = EncodeSettings(settings);
    bool complete = false;
    try {
        const std::size_t got = stream.Read(signature, sizeof signature);
        if (got != sizeof signature ||
            stream.Size() != static_cast<std::int64_t>(SettingsFileSize) ||
            std::memcmp(signature, Signature, sizeof Signature) != 0)
            return TSettingsRead::Damaged;
        complete = stream.Read(record.data(), record.size()) == record.size();
    } catch (const EStreamError&) {
        complete = false;
    }
    DecodeSettings(record.data(), settings);
    if (complete)
        return TSettingsRead::Loaded;
    ShowError(ReadErrorText);
    return TSettingsRead::ReadFailed;
}

void LoadSettings(TSettings& settings, const std::string& path) {
    settings.SetDefaults();
    std::unique_ptr<TFileStream> stream;
    try {
        stream = std::make_unique<TFileStream>(path);
    } catch (const EFOpenError&) {
        ShowWarning(NotFoundText);
        return;
    }
    if (ReadSettings(*stream, settings) != TSettingsRead::Damaged)
        return;
    stream.reset();
    ShowWarning(SettingsDamagedText);
    ::unlink(path.c_str());
}

bool SaveSettings(const TSettings& settings, const std::string& path) {
    // A folder in the file's place could never be replaced by it.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        ShowError(CreateErrorText);
        return false;
    }
    std::unique_ptr<TSafeFileStream> stream;
    try {
        stream = std::make_unique<TSafeFileStream>(path);
    } catch (const EFCreateError&) {
        ShowError(CreateErrorText);
        return false;
    }
    try {
        const TSettingsRecord record = EncodeSettings(settings);
        stream->Write(Signature, sizeof Signature);
        stream->Write(record.data(), record.size());
        stream->Commit();
    } catch (const EStreamError&) {
        ShowError(WriteErrorText);
        return false;
    }
    return true;
}

} // namespace orvanta
