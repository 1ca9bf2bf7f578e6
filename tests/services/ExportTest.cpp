// Exchange of plan data with other programs: the data items one by one and
// all at once, the diagram data and the Surfer grid.

#include "numeric/Cp1251.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"

#include "PlanData.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

template <class T> void Append(std::string& bytes, T value) {
    char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    bytes.append(raw, sizeof(T));
}

// A text matrix file of a full factorial design of two factors.
const char* const Ffe2Text = "Matrix \"x\" 4 2\n\n-1\t-1\t\n\n1\t-1\t\n\n-1\t1\t\n\n1\t1\t\n\n\n\n";

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        Settings().CBAlsoCreateY = false;
        char pattern[] = "/tmp/orvan-export-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        Folder = pattern;
    }
    void TearDown() override {
        SetDecimalSeparator('.');
        Settings().SetDefaults();
        fs::remove_all(Folder);
    }

    // A full factorial plan of two factors, observed twice per run.
    void BuildFfe2() {
        host.QueueBuiltinPlan(PlanFFE, 2);
        ASSERT_TRUE(svc.NewPlan());
        SetObservations(plan, {{1, 2}, {3, 4}, {5, 6}, {7, 8}});
        host.ClearRecords();
    }
    // The linear model b0 + b1 x1 + b2 x2 with natural units x1 = 10.5 + 2 c1
    // and x2 = 20 + 0.5 c2.
    void BuildLinear(double b0, double b1, double b2) {
        BuildFfe2();
        plan.BVector.Create(3);
        plan.BVector.Set(0, b0);
        plan.BVector.Set(1, b1);
        plan.BVector.Set(2, b2);
        plan.HasBVector = true;
        plan.BaseLevels.Set(0, 10.5);
        plan.BaseLevels.Set(1, 20.0);
        plan.Intervals.Set(0, 2.0);
        plan.Intervals.Set(1, 0.5);
    }
    std::string Path(const std::string& name) const { return Folder + "/" + name; }
    bool Import(bool (TPlanService::*command)(), const std::string& path) {
        host.OpenDialogAnswers.push_back(TFileChoice{path, true});
        return (svc.*command)();
    }
    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (const auto& dialog : host.FileDialogs)
            titles.push_back(dialog.Title);
        return titles;
    }

    std::string Folder;
    TScriptedHost host;
    TRaruRuro plan{host};
    TPlanService svc{plan};
};

TEST_F(ExportTest, CodeMatrixGoesOutAsTextAndComesBack) {
    BuildFfe2();
    plan.CodeMatrix.SetName("Кодовая матрица");
    host.SaveDialogAnswers.push_back(TFileChoice{Path("code"), true});
    ASSERT_TRUE(svc.ExportCodeMatrix());
    ASSERT_EQ(host.FileDialogs.size(), 1u);
    EXPECT_EQ(host.FileDialogs[0].Title, "Экспорт кодовой матрицы");
    EXPECT_EQ(host.FileDialogs[0].InitialName, "Кодовая матрица.txt");
    EXPECT_EQ(plan.StatusText, "Кодовая матрица сохранена.");
    EXPECT_EQ(svc.CodeMatrixFile, Path("code.txt"));

    std::string expected = Utf8ToCp1251("Matrix \"Кодовая матрица\" 4 2\n\n");
    for (std::int32_t i = 0; i < 4; ++i) {
        for (std::int32_t j = 0; j < 2; ++j)
            expected += plan.CodeMatrix.Get(i, j) < 0 ? "-1\t" : "1\t";
        expected += "\n\n";
    }
    expected += "\n\n";
    EXPECT_EQ(ReadBytes(Path("code.txt")), expected);

    const double exported = plan.CodeMatrix.Get(0, 0);
    plan.CodeMatrix.Set(0, 0, 0.5);
    ASSERT_TRUE(Import(&TPlanService::ImportCodeMatrix, Path("code.txt")));
    EXPECT_EQ(host.FileDialogs.back().Title, "Импорт кодовой матрицы");
    EXPECT_EQ(plan.CodeMatrix.Get(0, 0), exported);
    EXPECT_EQ(plan.StatusText, "Кодовая матрица загружена.");
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(ExportTest, VectorsAndResponsesMustFitThePlan) {
    BuildFfe2();
    WriteBytes(Path("levels3.txt"), "Vector \"l\" 3\n\n1\t2\t3\t\n\n");
    WriteBytes(Path("levels2.txt"), "Vector \"l\" 2\n\n4\t5\t\n\n");
    WriteBytes(Path("y1.txt"), "Matrix \"y\" 4 1\n\n1\t\n\n2\t\n\n3\t\n\n4\t\n\n\n\n");
    // The same responses as a binary record: tag, name, rows, columns, values.
    std::string binary = "MTID";
    Append<std::int32_t>(binary, 1);
    binary += "y";
    Append<std::int32_t>(binary, 4);
    Append<std::int32_t>(binary, 2);
    for (int v = 1; v <= 8; ++v)
        Append<double>(binary, v + 0.25);
    WriteBytes(Path("y.bin"), binary);

    EXPECT_FALSE(Import(&TPlanService::ImportBaseLevels, Path("levels3.txt")));
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{"Файл \"" + Path("levels3.txt") +
                                       "\" должен содержать описание\nвектора из 2 элементов."});
    EXPECT_EQ(host.Messages.at(0).Kind, TMessageKind::Warning);
    EXPECT_EQ(plan.StatusText, "Операция не завершена.");
    EXPECT_EQ(plan.BaseLevels.Size(), 2);

    host.ClearRecords();
    ASSERT_TRUE(Import(&TPlanService::ImportBaseLevels, Path("levels2.txt")));
    EXPECT_EQ(plan.BaseLevels.Get(1), 5.0);
    EXPECT_EQ(plan.StatusText, "Вектор основных уровней загружен.");

    host.ClearRecords();
    EXPECT_FALSE(Import(&TPlanService::ImportResponses, Path("y1.txt")));
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{"Файл \"" + Path("y1.txt") +
                                       "\" должен содержать\nописание матрицы с двумя или более "
                                       "столбцами\nи числом строк, равным 4"});
    EXPECT_EQ(plan.YMatrix.Get(0, 0), 1.0);

    host.ClearRecords();
    ASSERT_TRUE(Import(&TPlanService::ImportResponses, Path("y.bin")));
    EXPECT_EQ(plan.RepeatCount, 2);
    EXPECT_EQ(plan.YMatrix.Get(0, 0), 1.25);
    EXPECT_EQ(plan.YMatrix.Get(3, 1), 8.25);
    EXPECT_EQ(plan.StatusText, "Матрица наблюдений загружена.");
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(ExportTest, ExportAllWritesEveryItemInOrder) {
    BuildFfe2();
    const std::vector<std::string> names{"code", "natural", "levels", "intervals", "y"};
    for (const auto& name : names)
        host.SaveDialogAnswers.push_back(TFileChoice{Path(name), true});
    ASSERT_TRUE(svc.ExportAll());
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Экспорт кодовой матрицы",
                                                  "Экспорт матрицы в натуральном выражении",
                                                  "Экспорт вектора основных уровней",
                                                  "Экспорт вектора интервалов варьирования",
                                                  "Экспорт матрицы откликов"}));
    EXPECT_EQ(plan.StatusText, "Данные сохранены.");
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        const bool vector = i == 2 || i == 3;
        EXPECT_EQ(ReadBytes(Path(names[i] + ".txt")).substr(0, 7), vector ? "Vector " : "Matrix ");
    }

    // A cancelled dialog ends the command.
    host.ClearRecords();
    host.SaveDialogAnswers = {TFileChoice{Path("code2"), true}, std::nullopt};
    EXPECT_FALSE(svc.ExportAll());
    EXPECT_EQ(host.FileDialogs.size(), 2u);
    EXPECT_EQ(plan.StatusText, "Операция не завершена.");
}

TEST_F(ExportTest, ImportAllLoadsACompleteSetInSequence) {
    WriteBytes(Path("code.txt"), Ffe2Text);
    WriteBytes(Path("levels3.txt"), "Vector \"l\" 3\n\n1\t2\t3\t\n\n");
    WriteBytes(Path("levels.txt"), "Vector \"l\" 2\n\n10\t20\t\n\n");
    WriteBytes(Path("steps.txt"), "Vector \"s\" 2\n\n2\t5\t\n\n");
    WriteBytes(Path("y.txt"), "Matrix \"y\" 4 2\n\n1\t2\t\n\n3\t4\t\n\n5\t6\t\n\n7\t8\t\n\n\n\n");
    for (const char* name : {"code.txt", "levels3.txt", "levels.txt", "steps.txt", "y.txt"})
        host.OpenDialogAnswers.push_back(TFileChoice{Path(name), true});
    host.Answers.push_back(TAnswer::Yes);
    ASSERT_TRUE(svc.ImportAll());

    EXPECT_EQ(Titles(), (std::vector<std::string>{
                            "Импорт кодовой матрицы", "Импорт вектора основных уровней",
                            "Импорт вектора основных уровней",
                            "Импорт вектора интервалов варьирования", "Импорт матрицы откликов"}));
    EXPECT_EQ(host.Questions, std::vector<std::string>{"Загрузить таблицу откликов - ?"});
    ASSERT_EQ(host.Messages.size(), 1u); // the three-value base levels
    EXPECT_EQ(plan.StatusText, "Данные встроенного плана загружены.");
    EXPECT_EQ(plan.PlanKind, PlanFFE);
    EXPECT_EQ(plan.FactorCount, 2);
    EXPECT_EQ(plan.BaseLevels.Get(1), 20.0);
    EXPECT_EQ(plan.Intervals.Get(1), 5.0);
    EXPECT_EQ(plan.YMatrix.Get(3, 1), 8.0);
    EXPECT_EQ(plan.FactorNames, (std::vector<std::string>{"Фактор № 1", "Фактор № 2"}));

    // Without the responses the set is still complete.
    TScriptedHost other;
    TRaruRuro second{other};
    TPlanService secondSvc{second};
    for (const char* name : {"code.txt", "levels.txt", "steps.txt"})
        other.OpenDialogAnswers.push_back(TFileChoice{Path(name), true});
    other.Answers.push_back(TAnswer::No);
    EXPECT_TRUE(secondSvc.ImportAll());
    EXPECT_FALSE(second.HasYMatrix);
    EXPECT_EQ(second.StatusText, "Данные встроенного плана загружены.");
}

TEST_F(ExportTest, DiagramDataHoldsOneLinePerPoint) {
    // y = 1 + 2 x1 + 3 x2 along x1 over [-1, 1] with x2 = 0.5.
    BuildLinear(1.0, 2.0, 3.0);
    const struct {
        bool AllCoordinates;
        const char* Expected;
    } cases[] = {{false, "0.5\n2.5\n4.5\n"}, {true, "8.5\t0.5\n10.5\t2.5\n12.5\t4.5\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.AllCoordinates);
        Settings().CBExportAllCoords = c.AllCoordinates;
        host.ClearRecords();
        host.SaveDialogAnswers.push_back(TFileChoice{Path("curve"), true});
        host.DiagramAnswers.push_back(TDiagramAnswer{0, -1.0, 1.0, 3, {0.0, 0.5}});
        ASSERT_TRUE(svc.ExportDiagram());
        EXPECT_EQ(ReadBytes(Path("curve.txt")), c.Expected);
        ASSERT_EQ(host.FileDialogs.size(), 1u);
        EXPECT_EQ(host.FileDialogs[0].Title, "Экспорт графика");
        EXPECT_EQ(plan.StatusText, "Сохранены данные для графика.");
    }
}

TEST_F(ExportTest, SurferGridAlwaysUsesAPoint) {
    // z = 0.5 + 2 x1 + 3 x2 over x1 in [-1, 1] (3 points), x2 in [-1, 1] (2).
    BuildLinear(0.5, 2.0, 3.0);
    const std::string grid = "DSAA\n3\t2\n8.5\t12.5\n19.5\t20.5\n-4.5\t5.5\n"
                             "-4.5\t-2.5\t-0.5\t\n1.5\t3.5\t5.5\t\n";
    const TSurfaceAnswer surface{0, 1, -1.0, 1.0, -1.0, 1.0, 3, 2, {0.0, 0.0}};
    for (char separator : {'.', ','}) {
        SCOPED_TRACE(separator);
        SetDecimalSeparator(separator);
        host.ClearRecords();
        host.SaveDialogAnswers.push_back(TFileChoice{Path("grid"), true});
        host.SurfaceAnswers.push_back(surface);
        ASSERT_TRUE(svc.ExportSurface());
        EXPECT_EQ(ReadBytes(Path("grid.grd")), grid);
        ASSERT_EQ(host.FileDialogs.size(), 1u);
        EXPECT_EQ(host.FileDialogs[0].Title, "Экспорт в формат GRD (WinSurf)");
        EXPECT_EQ(host.FileDialogs[0].Filter, TFileFilter::SurferGrid);
        EXPECT_EQ(plan.StatusText, "Сохранены данные для поверхности.");
    }

    // The coordinate list follows the separator; x outer, y inner.
    Settings().CBExportAllCoords = true;
    host.ClearRecords();
    host.SaveDialogAnswers.push_back(TFileChoice{Path("all"), true});
    host.SurfaceAnswers.push_back(surface);
    ASSERT_TRUE(svc.ExportSurface());
    EXPECT_EQ(host.FileDialogs[0].Title, "Экспорт: все координаты");
    EXPECT_EQ(host.FileDialogs[0].Filter, TFileFilter::Text);
    EXPECT_EQ(ReadBytes(Path("all.txt")), "8,5\t19,5\t-4,5\n8,5\t20,5\t1,5\n"
                                          "10,5\t19,5\t-2,5\n10,5\t20,5\t3,5\n"
                                          "12,5\t19,5\t-0,5\n12,5\t20,5\t5,5\n");
}

TEST_F(ExportTest, ConstantModelHasAFlatZRange) {
    BuildLinear(2.5, 0.0, 0.0);
    host.SaveDialogAnswers.push_back(TFileChoice{Path("flat"), true});
    host.SurfaceAnswers.push_back(TSurfaceAnswer{0, 1, -1.0, 1.0, -1.0, 1.0, 2, 2, {0.0, 0.0}});
    ASSERT_TRUE(svc.ExportSurface());
    EXPECT_EQ(ReadBytes(Path("flat.grd")),
              "DSAA\n2\t2\n8.5\t12.5\n19.5\t20.5\n2.5\t2.5\n2.5\t2.5\t\n2.5\t2.5\t\n");
}

} // namespace
