// Plan files: a file put together byte by byte from the format's table reads
// back; every kind of plan survives save, open and save byte for byte; damaged
// and hostile files are refused and leave the plan reset.

#include "plan/PlanFile.h"
#include "numeric/Cp1251.h"
#include "numeric/MemoryStream.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include "FakeMath.h"
#include "NumericTestSupport.h"
#include "PlanData.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace orvanta;
using namespace orvanta::test;

namespace {

// Little-endian pieces of a plan file, written without the program's writers.
class TBytes {
public:
    TBytes& Raw(const std::string& bytes) {
        Data += bytes;
        return *this;
    }
    TBytes& Byte(std::uint8_t b) { return Raw(std::string(1, static_cast<char>(b))); }
    TBytes& Int(std::int32_t v) {
        char b[4];
        std::memcpy(b, &v, 4);
        return Raw(std::string(b, 4));
    }
    TBytes& Double(double v) {
        char b[8];
        std::memcpy(b, &v, 8);
        return Raw(std::string(b, 8));
    }
    TBytes& Text(const std::string& utf8) {
        const std::string bytes = Utf8ToCp1251(utf8);
        Int(static_cast<std::int32_t>(bytes.size()));
        return Raw(bytes);
    }
    TBytes& Vector(const std::string& name, const std::vector<double>& v) {
        Raw("VTID").Text(name).Int(static_cast<std::int32_t>(v.size()));
        for (double x : v)
            Double(x);
        return *this;
    }
    TBytes& Matrix(const std::string& name, const TRows& rows) {
        Raw("MTID").Text(name).Int(static_cast<std::int32_t>(rows.size()));
        Int(rows.empty() ? 0 : static_cast<std::int32_t>(rows[0].size()));
        for (const auto& row : rows)
            for (double x : row)
                Double(x);
        return *this;
    }
    std::string Data;
};

class PlanFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        Settings().CBAlsoCreateY = false;
        catalog.AddenList = {&one, &x1, &x2};
        catalog.ModelList = {&linear};
        catalog.GeneratorList = {&square};
        plan.SetMathCatalog(&catalog);
    }
    void TearDown() override { Settings().SetDefaults(); }

    bool Open(const std::string& bytes) {
        TMemoryStream stream(bytes);
        return ReadPlan(stream, plan);
    }
    std::string Save() {
        TMemoryStream stream;
        EXPECT_TRUE(WritePlan(plan, stream));
        return stream.Bytes();
    }

    TFakeAdden one{"1", 0, [](const double*) { return 1.0; }};
    TFakeAdden x1{"x1", 1, [](const double* x) { return x[0]; }};
    TFakeAdden x2{"x2", 2, [](const double* x) { return x[1]; }};
    TFakeModel linear{"Линейная", 2, {&one, &x1, &x2}};
    TFakeGenerator square{"Квадрат", {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}, &linear};
    TFakeCatalog catalog;
    TScriptedHost host;
    TRaruRuro plan{host};
};

} // namespace

TEST_F(PlanFileTest, ReadsAFileAssembledFromTheLayout) {
    const TRows code{{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    const std::string file = TBytes()
                                 .Raw("MTPL")
                                 .Byte(3)
                                 .Matrix("Код", code)
                                 .Byte(1)
                                 .Vector("", {0.5, -0.5})
                                 .Vector("", {7.0, 7.5})
                                 .Vector("Уровни", {10, 20})
                                 .Vector("", {2, 5})
                                 .Matrix("", {{1, 2}, {3, 4}, {5, 6}, {7, 8}})
                                 .Text("Квадрат")
                                 .Text("NULL")
                                 .Int(2)
                                 .Text("1")
                                 .Text("x2")
                                 .Text("Температура")
                                 .Text("")
                                 .Text("Выход")
                                 .Data;
    ASSERT_TRUE(Open(file));
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_EQ(plan.PlanKind, PlanGeneral);
    EXPECT_EQ(plan.Generator, &square);
    EXPECT_EQ(plan.Model, nullptr);
    EXPECT_EQ(plan.Addens, (std::vector<const TAdden*>{&one, &x2}));
    EXPECT_EQ(plan.RunCount, 4);
    EXPECT_EQ(plan.FactorCount, 2);
    EXPECT_EQ(ValuesOf(plan.CodeMatrix), (std::vector<double>{-1, -1, 1, -1, -1, 1, 1, 1}));
    EXPECT_EQ(plan.CodeMatrix.GetName(), "Код");
    EXPECT_TRUE(plan.HasCheckPoint && plan.HasCheckY);
    EXPECT_EQ(plan.CheckRepeatCount, 2);
    EXPECT_EQ(plan.RepeatCount, 2);
    EXPECT_EQ(plan.FactorNames, (std::vector<std::string>{"Температура", ""}));
    EXPECT_EQ(plan.ResponseName, "Выход");
    // Natural = base level + interval x coded.
    EXPECT_EQ(plan.NaturalMatrix.Get(3, 0), 12.0);
    EXPECT_EQ(plan.NaturalMatrix.Get(3, 1), 25.0);
    EXPECT_EQ(host.CountRequests("show CodeMatrix"), 1u);
    EXPECT_EQ(host.CountRequests("show Responses"), 1u);

    // Written back, the plan gives the same bytes.
    EXPECT_EQ(Save(), file);
}

TEST_F(PlanFileTest, EveryKindOfPlanSurvivesSaveOpenSave) {
    struct {
        const char* Case;
        TNewPlanAnswers Answers;
        std::optional<TBuiltinPlanAnswer> Builtin;
        bool CheckPoint;
    } cases[4];
    cases[0] = {"built-in CCR", {}, TBuiltinPlanAnswer{PlanCCR, 3}, false};
    cases[0].Answers.Source = TPlanSource::Builtin;
    cases[1] = {"generator with its model", {}, std::nullopt, true};
    cases[1].Answers.GeneratorName = "Квадрат";
    cases[1].Answers.UseGeneratorModel = true;
    cases[2] = {"user addens", {}, std::nullopt, true};
    cases[2].Answers.Source = TPlanSource::NonStandard;
    cases[2].Answers.FactorCount = 2;
    cases[2].Answers.RunCount = 3;
    cases[2].Answers.Addens = {&one, &x1};
    cases[3] = {"built-in FFE", {}, TBuiltinPlanAnswer{PlanFFE, 2}, false};
    cases[3].Answers.Source = TPlanSource::Builtin;

    for (auto& c : cases) {
        SCOPED_TRACE(c.Case);
        plan.Reset();
        host.WizardAnswers.push_back(c.Answers);
        if (c.Builtin)
            host.BuiltinPlanAnswers.push_back(*c.Builtin);
        ASSERT_TRUE(plan.NewPlan());
        TRows y(static_cast<std::size_t>(plan.RunCount), {0.25, -1.5, 1e-300});
        y[0][0] = 3.14159;
        SetObservations(plan, y);
        plan.BaseLevels.Set(0, 100.0);
        plan.Intervals.Set(plan.FactorCount - 1, 0.125);
        plan.FactorNames[0] = "Давление";
        plan.ResponseName = "Прочность";
        if (c.CheckPoint) {
            plan.CheckPoint.SetSize(plan.FactorCount);
            plan.CheckPoint.Set(0, 0.5);
            plan.CheckY.SetSize(3);
            plan.CheckY.Set(2, 9.75);
            plan.HasCheckPoint = plan.HasCheckY = true;
        }
        const std::string first = Save();
        ASSERT_TRUE(Open(first));
        EXPECT_EQ(Save(), first);
        EXPECT_EQ(plan.HasCheckPoint, c.CheckPoint);
        EXPECT_EQ(plan.FactorNames[0], "Давление");
    }
}

TEST_F(PlanFileTest, LongNamesReadBackAsWrittenAtAndAroundTheLimit) {
    host.QueueBuiltinPlan(PlanFFE, 2);
    ASSERT_TRUE(plan.NewPlan());
    SetObservations(plan, TRows(4, {1.0}));
    // 65533 single-byte characters are what a name record holds; a longer
    // name (only a caller that skips the entry checks can give one) is cut
    // there, and the names after it keep their places.
    const struct {
        std::size_t Length, Stored;
    } cases[] = {{65532, 65532}, {65533, 65533}, {65534, 65533}, {70000, 65533}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Length);
        plan.FactorNames = {std::string(c.Length, 'a'), "Время"};
        plan.ResponseName = std::string(c.Length, 'b');
        ASSERT_TRUE(Open(Save()));
        EXPECT_EQ(plan.FactorNames[0], std::string(c.Stored, 'a'));
        EXPECT_EQ(plan.FactorNames[1], "Время");
        EXPECT_EQ(plan.ResponseName, std::string(c.Stored, 'b'));
    }
    // Where a name enters, a name that would not fit is refused, whole.
    EXPECT_TRUE(CheckStoredNames({std::string(65533, 'z'), "x"}));
    EXPECT_FALSE(CheckStoredNames({"x", std::string(65534, 'z')}));
    ASSERT_FALSE(host.Messages.empty());
    EXPECT_EQ(host.Messages.back().Text,
              "Имя фактора № 2 длиннее 65533 символов\nи не поместится в файл плана.");
}

TEST_F(PlanFileTest, FilesThatCannotBeOpenedLeaveThePlanReset) {
    const std::string good = TBytes()
                                 .Raw("MTPL")
                                 .Byte(3)
                                 .Matrix("", {{-1, -1}, {1, 1}})
                                 .Byte(0)
                                 .Vector("", {0, 0})
                                 .Vector("", {1, 1})
                                 .Matrix("", {{1, 2}, {3, 4}})
                                 .Text("NULL")
                                 .Text("Линейная")
                                 .Text("x1")
                                 .Text("x2")
                                 .Text("y")
                                 .Data;
    ASSERT_TRUE(Open(good));
    const std::string unknownModel = TBytes()
                                         .Raw(good.substr(0, good.find("NULL") + 4))
                                         .Text("Кубическая")
                                         .Text("x1")
                                         .Text("x2")
                                         .Text("y")
                                         .Data;
    std::string badCount = good.substr(0, good.find("NULL") + 4);
    badCount = TBytes().Raw(badCount).Text("NULL").Int(257).Data;
    std::string wrongLevels = good;
    wrongLevels.replace(wrongLevels.find("VTID") + 8, 4, std::string("\x03\0\0\0", 4));

    const struct {
        const char* Case;
        std::string Bytes;
        std::string Message;
    } cases[] = {
        {"not a plan file", "MTPX" + good.substr(4), "Файл поврежден. Извините."},
        {"unknown kind", "MTPL\x04" + good.substr(5),
         "Файл содержит описание неизвестного плана. Извините."},
        {"unknown model", unknownModel,
         "Описание модели \"Кубическая\"\nне найдено во внешних модулях."},
        {"257 addens", badCount, "Ошибка чтения. Извините."},
        {"levels of another size", wrongLevels, "Файл поврежден. Извините."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        ASSERT_TRUE(Open(good));
        host.ClearRecords();
        EXPECT_FALSE(Open(c.Bytes));
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{c.Message});
        EXPECT_FALSE(plan.HasFactorCount);
        EXPECT_FALSE(plan.HasCodeMatrix);
        EXPECT_EQ(plan.Model, nullptr);
    }

    // Every truncation of a good file, inside a record or between two, is a
    // short file: the read error, once.
    for (std::size_t length = 0; length < good.size(); ++length) {
        SCOPED_TRACE(length);
        host.ClearRecords();
        EXPECT_FALSE(Open(good.substr(0, length)));
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{"Ошибка чтения. Извините."});
        EXPECT_FALSE(plan.HasFactorCount);
    }
}

TEST_F(PlanFileTest, SaveRefusesAnIncompletePlan) {
    host.QueueBuiltinPlan(PlanFFE, 2);
    ASSERT_TRUE(plan.NewPlan());
    TPlanImage image;
    EXPECT_FALSE(FillImage(plan, image));
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{"Не определена матрица наблюдений."});
    EXPECT_FALSE(image.Valid);
}
