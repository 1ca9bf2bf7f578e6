// The plan document: the default extension of typed names, the questions
// asked before a plan is closed, and saves and opens that fail.

#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"

#include "PlanData.h"
#include "ScriptedHost.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

namespace fs = std::filesystem;

const std::string NotCompleted = "Операция не завершена.";
const std::string Closed = "Данные удалены из памяти.";
const std::string CannotSaveWhole =
    "В текущем состоянии сохранение плана как целого невозможно - не определена матрица "
    "откликов - и Вами изменены данные, которые не могут быть экспортированы. Завершить работу "
    "с текущими данными ?\nЕсли Вы ответите \"Да\", то часть данные будут потеряны.";
const std::string CodeChanged = "Кодовая матрица изменена. Сохранить изменения - ?";
const std::string LevelsChanged = "Значения основных уровней изменены.\nСохранить изменения - ?";
const std::string ReportChanged = "Содержимое отчета изменено. Сохранить изменения - ?";

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One run of the program: its host, its plan and the plan's services.
struct TSession {
    TScriptedHost host;
    TRaruRuro plan{host};
    TPlanService svc{plan};

    // A full factorial plan of two factors; with observations it can be
    // saved as a whole.
    void Build(bool withObservations) {
        host.QueueBuiltinPlan(PlanFFE, 2);
        ASSERT_TRUE(svc.NewPlan());
        if (withObservations)
            SetObservations(plan, {{1, 2}, {3, 4}, {5, 6}, {7, 8}});
        host.ClearRecords();
    }
    void SaveAs(const std::string& typed) {
        host.SaveDialogAnswers.push_back(TFileChoice{typed, true});
        ASSERT_TRUE(svc.SavePlanAs());
        host.ClearRecords();
    }
};

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override { Settings().CBAlsoCreateY = false; }
    void TearDown() override { Settings().SetDefaults(); }
    TTempFolder Temp{"orvan-document"};
    std::string Folder = Temp.Path;
};

TEST_F(DocumentTest, TypedNameGetsTheFilterExtensionOnlyWithTheFirstEntry) {
    const struct {
        const char* Typed;
        bool FirstEntry;
        const char* Saved;
    } cases[] = {{"exp1", true, "exp1.mpl"},
                 {"exp1.dat", true, "exp1.dat"},
                 {"exp2", false, "exp2"},
                 {" exp3 ", true, "exp3.mpl"}};
    TSession s;
    s.Build(true);
    std::string previous;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        s.host.ClearRecords();
        s.host.SaveDialogAnswers.push_back(TFileChoice{Folder + "/" + c.Typed, c.FirstEntry});
        ASSERT_TRUE(s.svc.SavePlanAs());
        const std::string saved = Folder + "/" + c.Saved;
        EXPECT_EQ(s.plan.FileName, saved);
        EXPECT_TRUE(fs::is_regular_file(saved));
        EXPECT_EQ(s.plan.StatusText, "Сохранение плана завершено.");
        ASSERT_EQ(s.host.FileDialogs.size(), 1u);
        EXPECT_EQ(s.host.FileDialogs[0].Title, "Сохранить как новый файл планирования");
        EXPECT_EQ(s.host.FileDialogs[0].InitialName, previous);
        previous = saved;
    }
    EXPECT_FALSE(fs::exists(Folder + "/exp2."));

    // The other filters bring their own extensions; a point in a folder
    // name is no extension.
    EXPECT_EQ(ApplyDefaultExtension("/d/x", TFileFilter::Text, true), "/d/x.txt");
    EXPECT_EQ(ApplyDefaultExtension("/d.e/x", TFileFilter::SurferGrid, true), "/d.e/x.grd");
}

TEST_F(DocumentTest, ClosingAnUnchangedPlanAsksNothing) {
    TSession s;
    s.Build(true);
    s.SaveAs(Folder + "/exp1");
    EXPECT_EQ(s.svc.DisplayName(), "exp1");
    EXPECT_TRUE(s.svc.ClosePlan());
    EXPECT_TRUE(s.host.Questions.empty());
    EXPECT_EQ(s.plan.StatusText, Closed);
    EXPECT_FALSE(s.plan.HasFactorCount);
    EXPECT_EQ(s.svc.DisplayName(), "[без имени]");
}

TEST_F(DocumentTest, ChangedPlanIsOfferedForSaving) {
    const struct {
        const char* Name;
        bool Saved; // saved as exp1.mpl before the change
        TAnswer Answer;
        std::optional<TFileChoice> Dialog;
        bool Closes;
        bool Written;
    } cases[] = {
        {"cancel", true, TAnswer::Cancel, std::nullopt, false, false},
        {"no", true, TAnswer::No, std::nullopt, true, false},
        {"yes", true, TAnswer::Yes, std::nullopt, true, true},
        {"yes, untitled", false, TAnswer::Yes, TFileChoice{"", true}, true, true},
        {"yes, dialog cancelled", false, TAnswer::Yes, std::nullopt, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSession s;
        s.Build(true);
        const std::string path = Folder + "/exp1.mpl";
        fs::remove(path);
        if (c.Saved)
            s.SaveAs(Folder + "/exp1");
        const std::string before = ReadBytes(path);
        s.plan.YMatrix.Set(0, 0, 42.0);
        s.plan.Modified = true;
        s.host.Answers.push_back(c.Answer);
        if (!c.Saved) {
            std::optional<TFileChoice> dialog = c.Dialog;
            if (dialog)
                dialog->Path = Folder + "/exp1";
            s.host.SaveDialogAnswers.push_back(dialog);
        }

        EXPECT_EQ(s.svc.ClosePlan(), c.Closes);
        const std::string name = c.Saved ? "exp1" : "[без имени]";
        EXPECT_EQ(s.host.Questions,
                  std::vector<std::string>{"Сохранить изменения в \"" + name + "\"- ?"});
        EXPECT_EQ(s.plan.HasFactorCount, !c.Closes);
        EXPECT_EQ(s.plan.StatusText, c.Closes ? Closed : NotCompleted);
        if (!c.Written) {
            EXPECT_EQ(ReadBytes(path), before);
            continue;
        }
        ASSERT_TRUE(fs::is_regular_file(path));
        EXPECT_NE(ReadBytes(path), before);
        TSession reopened;
        ASSERT_TRUE(reopened.svc.OpenPlan(path));
        EXPECT_EQ(reopened.plan.YMatrix.Get(0, 0), 42.0);
    }
}

TEST_F(DocumentTest, PlanWithoutResponsesAsksAboutEachEditedWindow) {
    const struct {
        const char* Name;
        bool Modified;
        std::vector<TAnswer> Answers;
        std::vector<std::string> Questions;
        bool Closes;
    } cases[] = {
        {"refused", true, {TAnswer::No}, {CannotSaveWhole}, false},
        {"nothing exported",
         true,
         {TAnswer::Yes, TAnswer::No, TAnswer::No},
         {CannotSaveWhole, CodeChanged, LevelsChanged},
         true},
        {"cancel at the code matrix",
         true,
         {TAnswer::Yes, TAnswer::Cancel},
         {CannotSaveWhole, CodeChanged},
         false},
        {"only windows edited",
         false,
         {TAnswer::No, TAnswer::No},
         {CodeChanged, LevelsChanged},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSession s;
        s.Build(false);
        s.plan.Modified = c.Modified;
        s.host.OpenWindows = {TDataWindow::CodeMatrix, TDataWindow::BaseLevels,
                              TDataWindow::Intervals, TDataWindow::Responses};
        // The responses window is not asked about: there are no responses.
        s.host.EditedWindows = {TDataWindow::CodeMatrix, TDataWindow::BaseLevels,
                                TDataWindow::Responses};
        s.host.Answers.assign(c.Answers.begin(), c.Answers.end());
        EXPECT_EQ(s.svc.ClosePlan(), c.Closes);
        EXPECT_EQ(s.host.Questions, c.Questions);
        EXPECT_EQ(s.plan.HasFactorCount, !c.Closes);
        EXPECT_TRUE(s.host.FileDialogs.empty());
    }

    // "Yes" exports the matrix; the close goes on.
    TSession s;
    s.Build(false);
    s.plan.Modified = true;
    s.host.OpenWindows = {TDataWindow::CodeMatrix};
    s.host.EditedWindows = {TDataWindow::CodeMatrix};
    s.host.Answers = {TAnswer::Yes, TAnswer::Yes};
    s.host.SaveDialogAnswers.push_back(TFileChoice{Folder + "/code", true});
    EXPECT_TRUE(s.svc.ClosePlan());
    EXPECT_EQ(ReadBytes(Folder + "/code.txt").substr(0, 7), "Matrix ");
}

TEST_F(DocumentTest, EditedReportIsOfferedForSaving) {
    const struct {
        const char* Name;
        bool Ask;
        bool Edited;
        std::vector<TAnswer> Answers;
        bool SaveWorks;
        bool Closes;
        std::size_t ReportSaves;
    } cases[] = {
        {"cancel", true, true, {TAnswer::Cancel}, true, false, 0},
        {"no", true, true, {TAnswer::No}, true, true, 0},
        {"yes", true, true, {TAnswer::Yes}, true, true, 1},
        {"yes, save fails", true, true, {TAnswer::Yes}, false, false, 1},
        {"option off", false, true, {}, true, true, 0},
        {"not edited", true, false, {}, true, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Settings().CBAskIfReportChanged = c.Ask;
        TSession s;
        s.Build(true);
        s.SaveAs(Folder + "/exp1");
        s.host.ReportOpen = true;
        s.host.ReportEdited = c.Edited;
        s.host.SaveReportResult = c.SaveWorks;
        s.host.Answers.assign(c.Answers.begin(), c.Answers.end());
        EXPECT_EQ(s.svc.ClosePlan(), c.Closes);
        EXPECT_EQ(s.host.Questions, c.Answers.empty() ? std::vector<std::string>{}
                                                      : std::vector<std::string>{ReportChanged});
        EXPECT_EQ(s.host.CountRequests("save report"), c.ReportSaves);
        EXPECT_EQ(s.plan.HasFactorCount, !c.Closes);
    }
}

TEST_F(DocumentTest, FailedSavesKeepTheOldFileAndName) {
    TSession s;
    s.Build(true);
    s.SaveAs(Folder + "/keep");
    const std::string kept = Folder + "/keep.mpl";
    const std::string before = ReadBytes(kept);
    fs::create_directory(Folder + "/sub.mpl");
    s.plan.YMatrix.Set(0, 0, 42.0);
    s.plan.Modified = true;
    for (const std::string& target : {Folder + "/sub.mpl", Folder + "/missing/x.mpl"}) {
        SCOPED_TRACE(target);
        s.host.ClearRecords();
        s.host.SaveDialogAnswers.push_back(TFileChoice{target, true});
        EXPECT_FALSE(s.svc.SavePlanAs());
        EXPECT_EQ(s.host.MessageTexts(),
                  std::vector<std::string>{"Ошибка создания файла \"" + target + "\". Извините."});
        EXPECT_EQ(s.plan.FileName, kept);
        EXPECT_EQ(s.plan.StatusText, NotCompleted);
        EXPECT_TRUE(s.plan.Modified);
    }
    EXPECT_TRUE(fs::is_directory(Folder + "/sub.mpl"));
    EXPECT_FALSE(fs::exists(Folder + "/missing"));

    // A file-size limit below the plan's size makes the write itself fail
    // (the folder cannot be made read-only for every user).
    s.host.ClearRecords();
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 40;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = s.svc.SavePlan();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(s.host.MessageTexts(),
              std::vector<std::string>{"Ошибка записи файла \"" + kept + "\". Извините."});
    EXPECT_TRUE(s.plan.Modified);
    EXPECT_EQ(ReadBytes(kept), before);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(Folder))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"keep.mpl", "sub.mpl"}));
}

TEST_F(DocumentTest, OpenFailuresNameTheFile) {
    const std::string missing = Folder + "/none.mpl";
    const std::string damaged = Folder + "/bad.mpl";
    std::ofstream(damaged, std::ios::binary) << "JUNKJUNKJUNK";
    // Cut inside the code matrix's elements.
    const std::string cut = Folder + "/cut.mpl";
    std::ofstream(cut, std::ios::binary)
        << std::string("MTPL\0MTID\0\0\0\0\2\0\0\0\1\0\0\0\0\0", 24);
    const struct {
        std::string Path;
        std::vector<std::string> Errors;
    } cases[] = {
        {missing, {"Ошибка открытия файла \"" + missing + "\". Извините."}},
        {damaged, {"Файл поврежден. Извините."}},
        {cut, {"Ошибка чтения. Извините."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        TSession s;
        EXPECT_FALSE(s.svc.OpenPlan(c.Path));
        EXPECT_EQ(s.host.MessageTexts(), c.Errors);
        for (const auto& message : s.host.Messages)
            EXPECT_EQ(message.Kind, TMessageKind::Error);
        EXPECT_EQ(s.plan.StatusText, NotCompleted);
        EXPECT_FALSE(s.plan.HasFactorCount);
        EXPECT_TRUE(s.plan.FileName.empty());
    }

    // Through the dialog the typed name gets the plan extension.
    TSession writer;
    writer.Build(true);
    writer.SaveAs(Folder + "/good");
    TSession s;
    s.host.OpenDialogAnswers.push_back(TFileChoice{Folder + "/good", true});
    EXPECT_TRUE(s.svc.OpenPlan(std::nullopt));
    ASSERT_EQ(s.host.FileDialogs.size(), 1u);
    EXPECT_EQ(s.host.FileDialogs[0].Title, "Открыть файл планирования");
    EXPECT_EQ(s.plan.FileName, Folder + "/good.mpl");
    EXPECT_EQ(s.plan.StatusText, "Открытие плана завершено.");
}

} // namespace
