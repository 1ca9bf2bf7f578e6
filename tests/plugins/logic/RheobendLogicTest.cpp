#include "FakePlanService.h"
#include "RecordingWriter.h"

#include "numeric/Cp1251.h"
#include "plugins/rheobend/RheobendLogic.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

using test::TFakePlanService;
using test::TRecordingWriter;

const char* const CurveModel = "Сумма линейной функции и экспоненты";

struct TEnabledCase {
    const char* Label;
    bool Allowed;
    bool HasModel;
    std::string ModelName;
    bool Expected;
};

class RheobendEnabled : public testing::TestWithParam<TEnabledCase> {};

TEST_P(RheobendEnabled, NeedsCoefficientsAndExactlyTheCurveModel) {
    const TEnabledCase& c = GetParam();
    TFakePlanService fake;
    fake.Allowed = c.Allowed;
    fake.Factors = 1;
    fake.HasModel = c.HasModel;
    fake.ModelNameBytes = Utf8ToCp1251(c.ModelName);
    EXPECT_EQ(IsRheobendEnabled(fake.Service()), c.Expected);
    // The diagram action: it needs computed coefficients and, unlike the
    // surface action, accepts a one-factor plan.
    ASSERT_FALSE(fake.AskedActions.empty());
    EXPECT_EQ(fake.AskedActions.front(), 27);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RheobendEnabled,
    testing::Values(TEnabledCase{"curve", true, true, CurveModel, true},
                    TEnabledCase{"longer", true, true, std::string(CurveModel) + " ", false},
                    TEnabledCase{"shorter", true, true, "Сумма линейной функции и экспонент",
                                 false},
                    TEnabledCase{"noCoefficients", false, true, CurveModel, false},
                    TEnabledCase{"noModel", true, false, "", false}),
    [](const auto& info) { return std::string(info.param.Label); });

struct TFieldsCase {
    const char* Label;
    const char* Divisions;
    const char* From;
    const char* To;
    const char* Warning; // null: accepted
};

class CurvatureFields : public testing::TestWithParam<TFieldsCase> {};

TEST_P(CurvatureFields, AreCheckedDivisionsFirst) {
    const TFieldsCase& c = GetParam();
    const TCurvatureCheck check = CheckCurvatureFields(c.Divisions, c.From, c.To);
    if (c.Warning) {
        ASSERT_TRUE(check.Message);
        EXPECT_EQ(*check.Message, TPluginMessage::Warning(c.Warning));
    } else {
        EXPECT_FALSE(check.Message);
    }
}

const char* const Divisions = "В поле 'Делений' должно находится число от 3 до 100.";
const char* const Interval = "Неверный интервал изменения аргумента.";

INSTANTIATE_TEST_SUITE_P(Cases, CurvatureFields,
                         testing::Values(TFieldsCase{"defaults", "5", "-1.0", "1.0", nullptr},
                                         TFieldsCase{"emptyInterval", "5", "1", "1", Interval},
                                         TFieldsCase{"reversed", "5", "2", "-2", Interval},
                                         TFieldsCase{"lettersReadAsZero", "5", "abc", "abc",
                                                     Interval},
                                         TFieldsCase{"tooWide", "5", "-1e308", "1e308", Interval},
                                         TFieldsCase{"hundredOne", "101", "-1.0", "1.0", Divisions},
                                         TFieldsCase{"both", "2", "1", "1", Divisions},
                                         TFieldsCase{"letters", "abc", "-1.0", "1.0", Divisions}),
                         [](const auto& info) { return std::string(info.param.Label); });

TEST(WriteCurvatureTest, DefaultsGiveFiveLinesBeforeTheEndPoint) {
    TFakePlanService fake;
    fake.ModelNameBytes = Utf8ToCp1251(CurveModel);
    fake.Coefficients = {7.0, 1.0, 2.0};
    TRecordingWriter writer;
    const TCurvatureCheck check = CheckCurvatureFields("5", "-1.0", "1.0");
    const TCurvatureResult result = WriteCurvature(fake.Service(), check.Request, "k.csv", writer);
    EXPECT_FALSE(result.Message);
    // K = 2e^x / (1 + (1 + 2e^x)^2)^1.5, worked out apart from the program.
    const std::vector<std::string> expected = {"-1;0.0915281", "-0.6;0.0874701", "-0.2;0.0729646",
                                               "0.2;0.0530135", "0.6;0.0339891"};
    EXPECT_EQ(writer.Lines, expected);
    EXPECT_EQ(result.Lines, expected);
    EXPECT_EQ(writer.Path, "k.csv");
}

TEST(WriteCurvatureTest, StraightLineHasNoCurvature) {
    TFakePlanService fake;
    fake.Coefficients = {1.0, 3.0, 0.0};
    TRecordingWriter writer;
    const TCurvatureResult result = WriteCurvature(fake.Service(), {4, 0.0, 2.0}, "k.csv", writer);
    const std::vector<std::string> expected = {"0;0", "0.5;0", "1;0", "1.5;0"};
    EXPECT_EQ(writer.Lines, expected);
}

struct TInternalCase {
    const char* Label;
    bool HasModel;
    int32_t Dimension;
    int32_t Addens;
    std::vector<double> Coefficients;
    const char* Error;
};

class WriteCurvatureInternal : public testing::TestWithParam<TInternalCase> {};

TEST_P(WriteCurvatureInternal, LeavesTheFileEmpty) {
    const TInternalCase& c = GetParam();
    TFakePlanService fake;
    fake.HasModel = c.HasModel;
    fake.Dimension = c.Dimension;
    fake.Addens = c.Addens;
    fake.Coefficients = c.Coefficients;
    TRecordingWriter writer;
    const TCurvatureResult result = WriteCurvature(fake.Service(), {5, -1.0, 1.0}, "k.csv", writer);
    ASSERT_TRUE(result.Message);
    EXPECT_EQ(*result.Message, TPluginMessage::Error(c.Error));
    EXPECT_EQ(writer.Calls, 1);
    EXPECT_TRUE(writer.Lines.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteCurvatureInternal,
    testing::Values(
        TInternalCase{"noModel",
                      false,
                      1,
                      3,
                      {0, 1, 1},
                      "Внутренняя ошибка: GetMainServer()->GetModel()==NULL"},
        TInternalCase{
            "twoFactors", true, 2, 3, {0, 1, 1}, "Внутренняя ошибка: model->RequiredDimension()>1"},
        TInternalCase{"twoTerms", true, 1, 2, {0, 1}, "Внутренняя ошибка: model->AddenCount()<3"},
        TInternalCase{"noCoefficients",
                      true,
                      1,
                      3,
                      {},
                      "Внутренняя ошибка: GetMainServer()->GetCoefficients()==NULL"}),
    [](const auto& info) { return std::string(info.param.Label); });

TEST(WriteCurvatureTest, UnwritableFileIsReportedBeforeAnythingElse) {
    TFakePlanService fake;
    fake.HasModel = false;
    TRecordingWriter writer;
    writer.Fails = true;
    const TCurvatureResult result =
        WriteCurvature(fake.Service(), {5, -1.0, 1.0}, "/x/k.csv", writer);
    ASSERT_TRUE(result.Message);
    EXPECT_EQ(*result.Message,
              TPluginMessage::Error("Не удается открыть файл '/x/k.csv' для записи."));
    EXPECT_TRUE(result.Lines.empty());
}

} // namespace
} // namespace orvanta
