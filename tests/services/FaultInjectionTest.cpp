// Writes that fail: a stream that breaks after a number of bytes, a full
// disk, a folder in the file's place, a folder that is gone and a folder
// that may not be written. No failure may cost the person the file they had.

#include "numeric/Errors.h"
#include "numeric/MemoryStream.h"
#include "plan/PlanFile.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "services/SettingsFile.h"

#include "PlanData.h"
#include "ScriptedHost.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

namespace fs = std::filesystem;

// Takes `limit` bytes, then fails every write the way a full disk does.
class TFailingStream : public TStream {
public:
    explicit TFailingStream(std::size_t limit) : Limit(limit) {}

    std::size_t Read(void*, std::size_t) override { return 0; }
    void Write(const void* buffer, std::size_t count) override {
        const std::size_t room = Limit - std::min(Limit, Bytes.size());
        Bytes.append(static_cast<const char*>(buffer), std::min(room, count));
        if (count > room)
            throw EWriteError("Ошибка записи в поток.");
    }
    std::int64_t Position() const override { return static_cast<std::int64_t>(Bytes.size()); }
    void SetPosition(std::int64_t) override { throw EWriteError("Ошибка записи в поток."); }
    std::int64_t Size() const override { return Position(); }

    std::string Bytes;

private:
    std::size_t Limit;
};

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every entry under the folder, so that a leftover temporary or a folder
// made on the way shows up.
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.push_back(fs::relative(entry.path(), folder).string());
    std::sort(names.begin(), names.end());
    return names;
}

// One run of the program with a plan that can be saved as a whole.
struct TSession {
    TScriptedHost host;
    TRaruRuro plan{host};
    TPlanService svc{plan};

    void Build(std::uint8_t kind = PlanFFE, std::int32_t k = 2) {
        host.QueueBuiltinPlan(kind, k);
        ASSERT_TRUE(svc.NewPlan());
        TRows y(static_cast<std::size_t>(plan.RunCount), {0.25, -1.5, 1e-300});
        SetObservations(plan, y);
        host.ClearRecords();
    }
};

class FaultInjectionTest : public ::testing::Test {
protected:
    void SetUp() override { Settings().CBAlsoCreateY = false; }
    void TearDown() override { Settings().SetDefaults(); }
    TTempFolder Temp{"orvan-faults"};
    std::string Folder = Temp.Path;
};

TEST_F(FaultInjectionTest, PlanImageBrokenAtAnyByteIsOneWriteError) {
    const struct {
        const char* Case;
        std::uint8_t Kind;
        std::int32_t K;
        bool CheckPoint;
    } cases[] = {{"FFE 2", PlanFFE, 2, false}, {"CCR 3 with a check point", PlanCCR, 3, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        TSession s;
        s.Build(c.Kind, c.K);
        s.plan.FactorNames[0] = "Давление";
        s.plan.ResponseName = "Прочность";
        if (c.CheckPoint) {
            s.plan.CheckPoint.SetSize(s.plan.FactorCount);
            s.plan.CheckPoint.Set(0, 0.5);
            s.plan.CheckY.SetSize(3);
            s.plan.CheckY.Set(2, 9.75);
            s.plan.HasCheckPoint = s.plan.HasCheckY = true;
        }
        TPlanImage image;
        ASSERT_TRUE(FillImage(s.plan, image));
        TMemoryStream whole;
        ASSERT_TRUE(WriteImage(image, whole));
        const std::size_t size = whole.Bytes().size();
        for (std::size_t n = 0; n <= size; ++n) {
            SCOPED_TRACE(n);
            s.host.ClearRecords();
            TFailingStream stream(n);
            const bool written = WriteImage(image, stream);
            EXPECT_EQ(stream.Bytes, whole.Bytes().substr(0, n));
            if (n == size) {
                EXPECT_TRUE(written);
                EXPECT_TRUE(s.host.Messages.empty());
                continue;
            }
            EXPECT_FALSE(written);
            EXPECT_EQ(s.host.Messages, (std::vector<TMessageRecord>{
                                           {TMessageKind::Error, "Ошибка записи. Извините."}}));
        }
    }
}

enum class TFault { SizeLimit, Directory, MissingFolder, ReadOnlyFolder };

// Runs `write` with a file-size limit of 16 bytes: every file here is
// longer, and a write past the limit fails (EFBIG) for root as well.
bool RunLimited(const std::function<bool()>& write) {
    rlimit old{};
    if (getrlimit(RLIMIT_FSIZE, &old) != 0)
        return true;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16;
    const bool result = setrlimit(RLIMIT_FSIZE, &small) == 0 ? write() : true;
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    return result;
}

TEST_F(FaultInjectionTest, FailedWritesKeepThePreviousFile) {
    // Without a command: the settings file. A plan saved under its own name
    // asks nothing; the other commands take the target from the save dialog.
    const struct {
        const char* Case;
        bool (TPlanService::*Command)();
        const char* Extension;
        bool Named;
    } writers[] = {{"save plan as", &TPlanService::SavePlanAs, ".mpl", false},
                   {"save plan", &TPlanService::SavePlan, ".mpl", true},
                   {"export code matrix", &TPlanService::ExportCodeMatrix, ".txt", false},
                   {"export responses", &TPlanService::ExportResponses, ".txt", false},
                   {"save settings", nullptr, ".cfg", false}};
    const struct {
        const char* Case;
        TFault Fault;
    } faults[] = {{"file-size limit", TFault::SizeLimit},
                  {"folder at the target", TFault::Directory},
                  {"missing folder", TFault::MissingFolder},
                  {"read-only folder", TFault::ReadOnlyFolder}};
    const std::string previous = "previous contents\n";
    // Root writes into a folder whatever its mode says, so there the save
    // has to succeed, and still leave nothing but the new file behind.
    const bool root = geteuid() == 0;

    for (const auto& w : writers) {
        for (const auto& f : faults) {
            SCOPED_TRACE(std::string(w.Case) + ", " + f.Case);
            const std::string dir =
                Folder + "/" + std::to_string(&w - writers) + "-" + std::to_string(&f - faults);
            ASSERT_TRUE(fs::create_directory(dir));
            // The file the person had; a failure must leave it as it was.
            const std::string kept = dir + "/kept" + w.Extension;
            WriteBytes(kept, previous);
            std::string target = kept;
            if (f.Fault == TFault::Directory) {
                target = dir + "/folder" + w.Extension;
                fs::create_directory(target);
            } else if (f.Fault == TFault::MissingFolder) {
                target = dir + "/missing/new" + w.Extension;
            } else if (f.Fault == TFault::ReadOnlyFolder) {
                fs::permissions(dir, static_cast<fs::perms>(0555));
            }
            const std::vector<std::string> before = Entries(dir);

            TSession s;
            s.Build();
            const std::string name = w.Named ? target : "";
            s.plan.FileName = name;
            const auto write = [&] {
                if (!w.Command)
                    return SaveSettings(Settings(), target);
                if (!w.Named)
                    s.host.SaveDialogAnswers.push_back(TFileChoice{target, true});
                return (s.svc.*w.Command)();
            };
            const bool saved = f.Fault == TFault::SizeLimit ? RunLimited(write) : write();
            fs::permissions(dir, fs::perms::owner_all);

            EXPECT_EQ(Entries(dir), before);
            if (f.Fault == TFault::ReadOnlyFolder && root) {
                EXPECT_TRUE(saved);
                EXPECT_TRUE(s.host.Messages.empty());
                EXPECT_NE(ReadBytes(kept), previous);
                continue;
            }
            EXPECT_FALSE(saved);
            EXPECT_EQ(ReadBytes(kept), previous);
            const bool create = f.Fault != TFault::SizeLimit;
            const std::string message =
                !w.Command ? (create ? "Ошибка создания конфигурационного файла."
                                     : "Ошибка записи конфигурационных данных.")
                           : (create ? "Ошибка создания файла \"" : "Ошибка записи файла \"") +
                                 target + "\". Извините.";
            EXPECT_EQ(s.host.Messages,
                      (std::vector<TMessageRecord>{{TMessageKind::Error, message}}));
            if (f.Fault == TFault::Directory) {
                EXPECT_TRUE(fs::is_empty(target));
            }
            if (w.Command) {
                EXPECT_EQ(s.plan.StatusText, "Операция не завершена.");
                EXPECT_EQ(s.plan.FileName, name);
            }
        }
    }
}

} // namespace
