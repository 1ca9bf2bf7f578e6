// "orvan32.cfg" against bytes laid out by hand from the record table: every
// field at its offset, damaged and missing files with their warnings, saves
// that fail without touching the old file, and where the file lives.

#include "services/SettingsFile.h"
#include "services/ProgramFolder.h"
#include "services/StatisticsSettingsFile.h"

#include "numeric/FileStream.h"

#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

using namespace orvanta;
using namespace orvanta::test;
namespace fs = std::filesystem;

namespace {

const std::string NotFound =
    "Конфигурационный фай]л не найден.\nБудут использованы установки по умолчанию.";
const std::string Damaged =
    "Конфигурационный файл поврежден.\nБудут использованы установки по умолчанию.";

using S = TSettings;

// Every one-byte flag with its offset and its option.
struct TFlagRow {
    std::size_t Offset;
    bool S::*Flag;
};
// clang-format off
const TFlagRow Flags[] = {
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
const std::size_t Gaps[] = {39,  323, 661, 662, 663, 670, 671, 677,
                            678, 679, 687, 694, 695, 718, 719};

void Put32(std::string& r, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        r[at + i] = static_cast<char>(v >> (8 * i));
}

// A record with every field away from its default, in memory and as bytes.
TSettings ChangedRecord() {
    TSettings s;
    for (const auto& row : Flags)
        s.*row.Flag = !(s.*row.Flag);
    s.WindowState = 2;
    s.WindowLeft = -15, s.WindowTop = 1200, s.WindowWidth = 1024, s.WindowHeight = 768;
    s.EDividerString = "-- Итоги --";
    s.ReportBackColor = 0x80000010, s.ReportTextColor = 0x00123456;
    s.ReportFont = {-13, 7, 900, 450, 700, 1, 1, 1, 0, 3, 2, 5, 0x31, "Arial Cyr"};
    s.ELegend = "Отклик Y";
    s.SColor = 0x00010203, s.SCopyColor = 0x00040506, s.SSeriesColor = 0x00070809;
    s.SAxisColor = 0x000A0B0C, s.SGridColor = 0x800000FF, s.CBGridStyle = 4, s.TBMass = 100;
    s.SBackColor = 0x00111111, s.SXWallColor = 0x00222222, s.SYWallColor = 0x00333333;
    s.SZWallColor = 0x00444444, s.SBBoxColor = 0x00555555, s.LBSurfScheme = 1;
    s.SSurfColor1 = 0x00666666, s.SSurfColor2 = 0x00777777, s.SLineColor = 0x80000001;
    return s;
}

std::string ChangedBytes() {
    std::string r(732, '\0');
    for (const auto& row : Flags)
        r[row.Offset] = TSettings().*row.Flag ? 0 : 1;
    r[0] = 2;
    Put32(r, 4, static_cast<std::uint32_t>(-15)), Put32(r, 8, 1200), Put32(r, 12, 1024);
    Put32(r, 16, 768);
    r.replace(41, 11, "-- \xC8\xF2\xEE\xE3\xE8 --");
    Put32(r, 324, 0x80000010), Put32(r, 328, 0x00123456);
    Put32(r, 332, static_cast<std::uint32_t>(-13)), Put32(r, 336, 7), Put32(r, 340, 900);
    Put32(r, 344, 450), Put32(r, 348, 700);
    r.replace(352, 8, "\x01\x01\x01\x00\x03\x02\x05\x31", 8);
    r.replace(360, 9, "Arial Cyr");
    r.replace(392, 8, "\xCE\xF2\xEA\xEB\xE8\xEA Y");
    Put32(r, 648, 0x00010203), Put32(r, 652, 0x00040506), Put32(r, 656, 0x00070809);
    Put32(r, 664, 0x000A0B0C), Put32(r, 672, 0x800000FF), r[676] = 4, Put32(r, 688, 100);
    Put32(r, 696, 0x00111111), Put32(r, 700, 0x00222222), Put32(r, 704, 0x00333333);
    Put32(r, 708, 0x00444444), Put32(r, 712, 0x00555555), r[717] = 1;
    Put32(r, 720, 0x00666666), Put32(r, 724, 0x00777777), Put32(r, 728, 0x80000001);
    return r;
}

std::string Encoded(const TSettings& s) {
    const TSettingsRecord r = EncodeSettings(s);
    return {r.begin(), r.end()};
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Sets an environment variable for a scope.
class TEnvScope {
public:
    TEnvScope(const char* name, const std::string& value) : Name(name) {
        if (const char* old = std::getenv(name))
            Old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~TEnvScope() { Old ? ::setenv(Name, Old->c_str(), 1) : ::unsetenv(Name); }

private:
    const char* Name;
    std::optional<std::string> Old;
};

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "orvan-settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        Folder = name;
        Path = Folder + "/orvan32.cfg";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(Folder, ignored);
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    TScriptedHost Host;
    TMessageHostScope Scope{Host};
    std::string Folder;
    std::string Path;
};

} // namespace

TEST(SettingsRecord, EachFlagOwnsItsByte) {
    const std::string defaults = Encoded(TSettings());
    for (const auto& row : Flags) {
        SCOPED_TRACE(row.Offset);
        TSettings toggled;
        toggled.*row.Flag = !(toggled.*row.Flag);
        std::string expected = defaults;
        expected[row.Offset] = toggled.*row.Flag ? 1 : 0;
        EXPECT_EQ(Encoded(toggled), expected);

        // Any non-zero byte reads as set.
        std::string stored = defaults;
        stored[row.Offset] = toggled.*row.Flag ? '\x80' : 0;
        TSettings read;
        DecodeSettings(reinterpret_cast<const unsigned char*>(stored.data()), read);
        EXPECT_EQ(read.*row.Flag, toggled.*row.Flag);
        EXPECT_EQ(Encoded(read), expected);
    }
}

TEST(SettingsRecord, TextsAreCutToTheirArrays) {
    // Cut by characters of the stored code page, not by bytes of UTF-8.
    TSettings s;
    s.EDividerString.clear();
    for (int i = 0; i < 300; ++i)
        s.EDividerString += "Ж";
    s.ReportFont.FaceName = std::string(40, 'F');
    std::string r = Encoded(s);
    EXPECT_EQ(r.substr(41, 256), std::string(255, '\xC6') + '\0');
    EXPECT_EQ(r.substr(360, 32), std::string(31, 'F') + '\0');

    // An array without its terminator ends where the array ends.
    r.replace(392, 256, std::string(256, '\xDF'));
    TSettings read;
    DecodeSettings(reinterpret_cast<const unsigned char*>(r.data()), read);
    std::string allYa;
    for (int i = 0; i < 256; ++i)
        allYa += "Я";
    EXPECT_EQ(read.ELegend, allYa);
    EXPECT_EQ(read.EDividerString, s.EDividerString.substr(0, 255 * 2));
}

TEST_F(SettingsFileTest, LoadsAHandBuiltFile) {
    const std::string record = ChangedBytes();
    ASSERT_EQ(Encoded(ChangedRecord()), record);

    std::string file = "MTST" + record;
    for (const std::size_t gap : Gaps)
        file[4 + gap] = '\xEE';
    WriteFile(Path, file);
    TSettings loaded;
    LoadSettings(loaded, Path);
    EXPECT_TRUE(Host.Messages.empty());
    EXPECT_EQ(Encoded(loaded), record);
    EXPECT_EQ(loaded.EDividerString, "-- Итоги --");
    EXPECT_EQ(loaded.ELegend, "Отклик Y");
    EXPECT_EQ(loaded.ReportFont.FaceName, "Arial Cyr");
    EXPECT_EQ(ReadFile(Path), file);
}

TEST_F(SettingsFileTest, DamagedFileIsReportedAndDeleted) {
    const std::string whole = "MTST" + ChangedBytes();
    const std::string cases[] = {whole.substr(0, 735),     whole + '\0', "MTSX" + whole.substr(4),
                                 "mtst" + whole.substr(4), "",           "MTS"};
    for (const auto& bytes : cases) {
        SCOPED_TRACE(bytes.size());
        Host.ClearRecords();
        WriteFile(Path, bytes);
        TSettings loaded = ChangedRecord();
        LoadSettings(loaded, Path);
        EXPECT_EQ(Host.Messages, (std::vector<TMessageRecord>{{TMessageKind::Warning, Damaged}}));
        EXPECT_EQ(Encoded(loaded), Encoded(TSettings()));
        EXPECT_FALSE(fs::exists(Path));
    }
}

TEST_F(SettingsFileTest, MissingFileKeepsTheDefaults) {
    TSettings loaded = ChangedRecord();
    LoadSettings(loaded, Path);
    EXPECT_EQ(Host.Messages, (std::vector<TMessageRecord>{{TMessageKind::Warning, NotFound}}));
    EXPECT_EQ(Encoded(loaded), Encoded(TSettings()));
    EXPECT_TRUE(Entries().empty());
}

TEST_F(SettingsFileTest, BrokenReadKeepsWhatWasRead) {
    // The file shrinks between opening and reading.
    WriteFile(Path, "MTST" + ChangedBytes());
    TFileStream stream(Path);
    fs::resize_file(Path, 4 + 20);
    TSettings loaded;
    EXPECT_EQ(ReadSettings(stream, loaded), TSettingsRead::ReadFailed);
    EXPECT_EQ(Host.MessageTexts(),
              (std::vector<std::string>{"Ошибка чтения конфигурационных данных."}));
    EXPECT_EQ(loaded.WindowState, 2);
    EXPECT_EQ(loaded.WindowHeight, 768);
    EXPECT_TRUE(loaded.ToolbarVisible);
    EXPECT_EQ(Encoded(loaded).substr(20), Encoded(TSettings()).substr(20));
}

TEST_F(SettingsFileTest, SaveReplacesTheFileAndLoadsBack) {
    WriteFile(Path, "old settings");
    ASSERT_TRUE(SaveSettings(ChangedRecord(), Path));
    EXPECT_EQ(ReadFile(Path), "MTST" + ChangedBytes());
    EXPECT_EQ(Entries(), std::vector<std::string>{"orvan32.cfg"});
    TSettings loaded;
    LoadSettings(loaded, Path);
    EXPECT_EQ(Encoded(loaded), ChangedBytes());
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(SettingsFileTest, FailedSavesKeepTheOldFile) {
    const std::string createError = "Ошибка создания конфигурационного файла.";
    const std::string missing = Folder + "/missing/orvan32.cfg";
    EXPECT_FALSE(SaveSettings(TSettings(), missing));
    fs::create_directory(Path);
    EXPECT_FALSE(SaveSettings(TSettings(), Path));
    EXPECT_EQ(Host.MessageTexts(), (std::vector<std::string>{createError, createError}));
    EXPECT_TRUE(fs::is_directory(Path));
    EXPECT_EQ(Entries(), std::vector<std::string>{"orvan32.cfg"});
    fs::remove(Path);

    // A file-size limit stops the write even for root.
    Host.ClearRecords();
    WriteFile(Path, "MTST" + ChangedBytes());
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved736 = SaveSettings(TSettings(), Path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved736);
    EXPECT_EQ(Host.MessageTexts(),
              (std::vector<std::string>{"Ошибка записи конфигурационных данных."}));
    EXPECT_EQ(ReadFile(Path), "MTST" + ChangedBytes());
    EXPECT_EQ(Entries(), std::vector<std::string>{"orvan32.cfg"});
}

TEST_F(SettingsFileTest, FolderComesFromTheEnvironment) {
    {
        TEnvScope home("ORVAN32_HOME", Folder + "/");
        EXPECT_EQ(SettingsFolder(), Folder);
        EXPECT_EQ(SettingsPath(), Path);
    }
    {
        TEnvScope home("ORVAN32_HOME", "");
        TEnvScope config("XDG_CONFIG_HOME", Folder + "/xdg");
        const bool writable = ::access(ProgramFolder().c_str(), W_OK) == 0;
        EXPECT_EQ(SettingsFolder(), writable ? ProgramFolder() : Folder + "/xdg/orvanta");
    }
    {
        TEnvScope config("XDG_CONFIG_HOME", Folder + "/xdg");
        EXPECT_EQ(XdgSettingsFolder(), Folder + "/xdg/orvanta");
        EXPECT_TRUE(fs::is_directory(Folder + "/xdg/orvanta"));
    }
    for (const char* unset : {"", "relative/path"}) {
        TEnvScope config("XDG_CONFIG_HOME", std::string(unset));
        TEnvScope user("HOME", Folder + "/user");
        EXPECT_EQ(XdgSettingsFolder(), Folder + "/user/.config/orvanta");
        EXPECT_TRUE(fs::is_directory(Folder + "/user/.config/orvanta"));
    }
}

// The second file, of the statistics options: every option round-trips; a
// damaged file is reported as the main one is, deleted and leaves the
// defaults; a missing one leaves them silently.
TEST_F(SettingsFileTest, StatisticsOptionsHaveAFileOfTheirOwn) {
    const std::string path = Folder + "/orvan32stat.cfg";
    TSettings changed;
    changed.StatisticsPureError = false;
    changed.QuantileAlpha = 0.01;
    changed.ExactQuantiles = changed.CBOpenStatistics = changed.CBCanonicalSection = true;
    ASSERT_TRUE(SaveStatisticsSettings(changed, path));
    const std::string text = ReadFile(path);
    EXPECT_EQ(text, "ErrorTerm=residual\nAlpha=0.01\nExactQuantiles=1\nOpenStatistics=1\n"
                    "AnovaSection=0\nFitSection=0\nIntervalsSection=0\nCanonicalSection=1\n"
                    "DiagnosticsSection=0\n");
    TSettings loaded;
    LoadStatisticsSettings(loaded, path);
    EXPECT_EQ(EncodeStatisticsSettings(loaded), text);
    EXPECT_TRUE(Host.Messages.empty());

    const std::string damaged[] = {
        "",
        text.substr(0, text.size() - 1),
        "ErrorTerm=both" + text.substr(text.find('\n')),
        std::string(text).replace(text.find("0.01"), 4, "1.5"),
        std::string(text).replace(text.find("OpenStatistics=1"), 16, "OpenStatistics=2"),
        text + "Extra=1\n"};
    for (const std::string& bytes : damaged) {
        SCOPED_TRACE(bytes);
        Host.ClearRecords();
        WriteFile(path, bytes);
        TSettings reloaded = changed;
        LoadStatisticsSettings(reloaded, path);
        EXPECT_EQ(Host.Messages, (std::vector<TMessageRecord>{{TMessageKind::Warning, Damaged}}));
        EXPECT_EQ(EncodeStatisticsSettings(reloaded), EncodeStatisticsSettings(TSettings()));
        EXPECT_FALSE(fs::exists(path));
    }
    Host.ClearRecords();
    TSettings fresh = changed;
    LoadStatisticsSettings(fresh, path);
    EXPECT_TRUE(Host.Messages.empty());
    EXPECT_EQ(EncodeStatisticsSettings(fresh), EncodeStatisticsSettings(TSettings()));
}
