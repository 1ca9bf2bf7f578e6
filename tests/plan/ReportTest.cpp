// The text report: every section against a report written out by hand for
// plans whose statistics are worked out in the comments, the options that
// switch the sections, the dividers and the date line.

#include "numeric/Cp1251.h"
#include "numeric/MemoryStream.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include "FakeMath.h"
#include "PlanData.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

const std::string D = "~~ * ~~\n"; // the divider text of these tests, and its line end
const std::string NoRepeats = "Статистический анализ данных невозможен: опыты не повторялись.\n";
const std::string Remark = " (статистически не значим, слагаемое модели должно быть исключено)";

// 14.11.2023 22:13:20 UTC.
constexpr std::time_t Moment = 1700000000;

// clang-format off
bool TSettings::*const ReportOptions[] = {
    &TSettings::CBUseDivider, &TSettings::CBTimeDate, &TSettings::CBDegree, &TSettings::CBpType,
    &TSettings::CBN, &TSettings::CBModelType, &TSettings::CBMainMatrix, &TSettings::CBMLVector,
    &TSettings::CBDFVector, &TSettings::CBNaturalMatrix, &TSettings::CBExpandedMatrix,
    &TSettings::CBMMatrix, &TSettings::CBCMatrix, &TSettings::CBR, &TSettings::CBYMatrix,
    &TSettings::CBAVector, &TSettings::CBDVector, &TSettings::CBSVector, &TSettings::CBDV,
    &TSettings::CBDmax, &TSettings::CBActualBSize, &TSettings::CBBVector, &TSettings::CBDad,
    &TSettings::CBCohrenAnalysis, &TSettings::CBFisherAnalysis, &TSettings::CBMainPoint,
    &TSettings::CBMarkEndOfReport};
// clang-format on

// Every report option off, then the listed ones on.
void ReportOptionsOnly(std::initializer_list<bool TSettings::*> on) {
    for (auto option : ReportOptions)
        Settings().*option = false;
    for (auto option : on)
        Settings().*option = true;
}

void AllReportOptions() {
    for (auto option : ReportOptions)
        Settings().*option = true;
}

// One section of an expected report: its number and its exact text.
struct TPiece {
    int Section;
    std::string Text;
};

using TPieces = std::vector<TPiece>;

TPieces operator+(TPieces first, const TPieces& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Walks the report piece by piece, so that a failure names the section.
void ExpectSections(const std::string& report, const TPieces& pieces) {
    std::size_t pos = 0;
    for (const TPiece& piece : pieces) {
        ASSERT_EQ(report.substr(pos, piece.Text.size()), piece.Text) << "section " << piece.Section;
        pos += piece.Text.size();
    }
    EXPECT_EQ(report.substr(pos), "") << "after the last section";
}

std::string Join(const TPieces& pieces) {
    std::string text;
    for (const TPiece& piece : pieces)
        text += piece.Text;
    return text;
}

void SetVector(TNamedVector& v, const std::vector<double>& values) {
    v.Create(static_cast<std::int32_t>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        v.Set(static_cast<std::int32_t>(i), values[i]);
}

// Runs (-1,-1), (1,-1), (-1,1), (1,1), two repeats 0.2 apart: the run
// variances are all 0.02 (G = 0.25), the means 3.1, 5.1, 4.1, 6.2 give
// b = (4.625, 1.025, 0.525) and leave the interaction 0.025 unfitted, so
// s2_ad = 2 * 4 * 0.025^2 / 1 = 0.005 and F = 0.25. With s_b = sqrt(0.02 /
// 4 / 2) = 0.05 and t(4) = 2.78 every coefficient is significant.
const TRows Spread{{3.0, 3.2}, {5.0, 5.2}, {4.0, 4.2}, {6.1, 6.3}};
// The same runs without repeats: b = (4, 1, 2).
const TRows Single{{1}, {3}, {5}, {7}};
// Spread +-0.5 (s2 = 0.5, s_b = 0.25, t s_b = 0.695): b = (5, 0.8, 0.1), b2
// insignificant.
const TRows Insignificant{{3.6, 4.6}, {5.2, 6.2}, {3.8, 4.8}, {5.4, 6.4}};

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ"))
            SavedTz = tz;
        SetTimeZone("UTC0");
        SavedSeparator = GetDecimalSeparator();
        TSettings& s = Settings();
        s.CBAlsoCreateY = false;
        s.CBCohrenResultsShow = s.CBStudentResultsShow = s.CBFisherResultsShow = false;
        s.CBCohrenActivateReport = s.CBStudentActivateReport = s.CBFisherActivateReport = false;
        s.EDividerString = "~~ * ~~";
        catalog.ModelList = {&linear};
        catalog.GeneratorList = {&square};
        plan.SetMathCatalog(&catalog);
        plan.Clock = [] { return Moment; };
    }
    void TearDown() override {
        Settings().SetDefaults();
        SetDecimalSeparator(SavedSeparator);
        if (SavedTz)
            setenv("TZ", SavedTz->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

    static void SetTimeZone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    void BuildBuiltin(int kind, int k) {
        host.QueueBuiltinPlan(kind, k);
        ASSERT_TRUE(plan.NewPlan());
    }
    // A non-standard plan on the 2^2 runs: the model "Линейная", or the
    // addens a = 1, b = x1, c = x2 without a model.
    void BuildGeneral(bool withModel) {
        TNewPlanAnswers answers;
        answers.Source = TPlanSource::NonStandard;
        answers.FactorCount = 2;
        answers.RunCount = 4;
        answers.UseStandardModel = withModel;
        answers.ModelName = "Линейная";
        answers.Addens = {&a, &b, &c};
        host.WizardAnswers.push_back(answers);
        ASSERT_TRUE(plan.NewPlan());
        const TRows x{{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
        for (std::int32_t i = 0; i < 4; ++i)
            for (std::int32_t j = 0; j < 2; ++j)
                plan.CodeMatrix.Set(i, j, x[static_cast<std::size_t>(i)][j]);
    }
    // The 2^2 plan analysed with every report option on and the comma as
    // the decimal separator. The base levels and intervals are edited
    // afterwards: the natural matrix still holds the coded values, and the
    // report must bring it up to date.
    void AnalyseFactorial(const TRows& y) {
        SetDecimalSeparator(',');
        BuildBuiltin(PlanFFE, 2);
        SetObservations(plan, y);
        ASSERT_TRUE(plan.RunAnalysis());
        SetVector(plan.BaseLevels, {10, 20});
        SetVector(plan.Intervals, {2, 5});
        AllReportOptions();
    }
    std::string Report() {
        host.ClearRecords();
        plan.UpdateAndShowReport();
        EXPECT_EQ(host.CountRequests("show report"), 1u);
        EXPECT_TRUE(plan.HasReportText);
        return plan.ReportText;
    }

    TFakeAdden a{"a", 0, [](const double*) { return 1.0; }};
    TFakeAdden b{"b", 1, [](const double* x) { return x[0]; }};
    TFakeAdden c{"c", 2, [](const double* x) { return x[1]; }};
    TFakeModel linear{"Линейная", 2, {&a, &b, &c}};
    TFakeGenerator square{"Куб 2^2", {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}, &linear};
    TFakeCatalog catalog;
    TScriptedHost host;
    TRaruRuro plan{host};
    std::optional<std::string> SavedTz;
    char SavedSeparator = '.';
};

// Sections 1 to 12 of the 2^2 plan analysed by AnalyseFactorial.
const TPieces FactorialHead{
    {1, "Отчет составлен: 22:13:20, 14.11.2023.\n" + D},
    {2, "Количество факторов: 2\n"},
    {3, "Тип плана: встроенный план полного факторного эксперимента.\n"},
    {4, "Полное количество экспериментов: 4\n" + D},
    {5, "Тип модели: Полином первого порядка от 2 переменных.\n" + D},
    {6, "Матрица плана в кодовом выражении:\n-1\t-1\t\n1\t-1\t\n-1\t1\t\n1\t1\t\n" + D},
    {7, "Вектор основных уровней факторов:\n10\t20\t\n" + D},
    {8, "Вектор интервалов варьирования:\n2\t5\t\n" + D},
    {9, "Матрица плана в натуральном выражении:\n8\t15\t\n12\t15\t\n8\t25\t\n12\t25\t\n" + D},
    {10, "Матрица базисных функций:\n1\t-1\t-1\t\n1\t1\t-1\t\n1\t-1\t1\t\n1\t1\t1\t\n" + D},
    {11, "Информационная матрица: \n4\t0\t0\t\n0\t4\t0\t\n0\t0\t4\t\n" + D},
    {12, "Ковариационная матрица: \n0,25\t0\t0\t\n0\t0,25\t0\t\n0\t0\t0,25\t\n" + D},
};

TEST_F(ReportTest, EverySectionAfterAFullAnalysis) {
    AnalyseFactorial(Spread);
    SetVector(plan.ExtremumPoint, {0.5, -0.25});
    plan.HasExtremumPoint = true;
    const TPieces expected =
        FactorialHead +
        TPieces{
            {13, "Число повторений каждого эксперимента: 2\n" + D},
            {14, "Матрица откликов: \n3\t3,2\t\n5\t5,2\t\n4\t4,2\t\n6,1\t6,3\t\n" + D},
            {15, "Вектор средних значений наблюдений: \n3,1\t5,1\t4,1\t6,2\t\n" + D},
            {17, "Вектор дисперсий наблюдений: \n0,02\t0,02\t0,02\t0,02\t\n"},
            {18, "Вектор ошибок наблюдений: \n0,1414\t0,1414\t0,1414\t0,1414\t\n"},
            {19, "Дисперсия воспроизводимости: 0,02\n" + D},
            {20, "Максимальная из дисперсий опытов: 0,02\n" + D},
            {21, "Число значимых параметров: 3\n" + D},
            {22, "Вектор параметров модели: \nB0\t4,625\nB1\t1,025\nB2\t0,525\n" + D},
            {23, "Дисперсия адекватности: 0,005\n" + D},
            {24, "Результаты анализа однородности дисперсий: \n"
                 "Расчетное значение критерия Кохрена: 0,25\n"
                 "Табличное значение критерия Кохрена: 0,9065\n"
                 "Дисперсии параллельных опытов однородны.\n" +
                     D},
            {25, "Результаты анализа адекватности по критерию Фишера: \n"
                 "Расчетное значение критерия Фишера: 0,25\n"
                 "Табличное значение критерия Фишера: 7,7\n"
                 "Выбранная модель адекватно описывает исследуемую систему.\n"
                 "Анализ адекватности по контрольной точке не производился.\n" +
                     D},
            {26, "Последний найденный экстремум: \n0,5\t-0,25\t\n" + D},
            {27, "<конец отчета>\n"},
        };
    ExpectSections(Report(), expected);
    // The stream itself carries the text in Windows-1251.
    TMemoryStream stream;
    plan.ComposeReport(stream);
    EXPECT_EQ(stream.Bytes(), Utf8ToCp1251(Join(expected)));
}

// Without repeats there is nothing to test: the statistics and the tests are
// left out, the coefficients are not.
TEST_F(ReportTest, SingleObservationsLeaveTheStatisticsOut) {
    AnalyseFactorial(Single);
    ExpectSections(
        Report(), FactorialHead +
                      TPieces{
                          {13, "Число повторений каждого эксперимента: 1\n" + D},
                          {14, "Матрица откликов: \n1\t\n3\t\n5\t\n7\t\n" + D},
                          {15, "Вектор средних значений наблюдений: \n1\t3\t5\t7\t\n" + D},
                          {16, NoRepeats + D},
                          {22, "Вектор параметров модели: \nB0\t    4\nB1\t    1\nB2\t    2\n" + D},
                          {26, "Поиск экстремума не производился.\n" + D},
                          {27, "<конец отчета>\n"},
                      });
}

// With every option off only the note about the missing repeats remains;
// it keeps its divider when the divider alone is on and has a text.
TEST_F(ReportTest, AllOptionsOff) {
    struct {
        const TRows* Y;
        bool Divider;
        const char* DividerText;
        std::string Text;
    } const cases[] = {
        {&Spread, false, "~~ * ~~", ""},        {&Spread, true, "~~ * ~~", ""},
        {&Single, false, "~~ * ~~", NoRepeats}, {&Single, true, "~~ * ~~", NoRepeats + D},
        {&Single, true, "", NoRepeats},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "m " << (*c.Y)[0].size() << ", divider " << c.Divider
                                        << " \"" << c.DividerText << "\"");
        plan.Reset();
        BuildBuiltin(PlanFFE, 2);
        SetObservations(plan, *c.Y);
        ASSERT_TRUE(plan.RunAnalysis());
        ReportOptionsOnly({});
        Settings().CBUseDivider = c.Divider;
        Settings().EDividerString = c.DividerText;
        EXPECT_EQ(Report(), c.Text);
    }
}

TEST_F(ReportTest, GeneralPlanListsItsAddens) {
    BuildGeneral(false);
    SetObservations(plan, Spread);
    ASSERT_TRUE(plan.RunAnalysis());
    ReportOptionsOnly({&TSettings::CBUseDivider, &TSettings::CBDegree, &TSettings::CBpType,
                       &TSettings::CBN, &TSettings::CBModelType, &TSettings::CBBVector});
    ExpectSections(Report(),
                   {
                       {2, "Количество факторов: 2\n"},
                       {3, "Тип плана: План общего вида (определен пользователем).\n"},
                       {4, "Полное количество экспериментов: 4\n" + D},
                       {5, "Тип модели: Модель общего вида (определена пользователем).\n"
                           "Слагаемые: a;b;c.\n" +
                               D},
                       {22, "Вектор параметров модели: \nba\t4.625\nbb\t1.025\nbc\t0.525\n" + D},
                   });
}

TEST_F(ReportTest, InsignificantCoefficientOfAModelCarriesItsRemark) {
    BuildGeneral(true);
    SetObservations(plan, Insignificant);
    host.ModelChangeAnswers.push_back(TModelChange::ZeroInsignificant);
    ASSERT_TRUE(plan.RunAnalysis());
    ReportOptionsOnly({&TSettings::CBUseDivider, &TSettings::CBpType, &TSettings::CBModelType,
                       &TSettings::CBActualBSize, &TSettings::CBBVector});
    ExpectSections(
        Report(),
        {
            {3, "Тип плана: План общего вида (определен пользователем).\n" + D},
            {5, "Тип модели: Линейная\n" + D},
            {21, "Число значимых параметров: 2\n" + D},
            {22, "Вектор параметров модели: \nba\t    5\nbb\t  0.8\nbc\t    0" + Remark + "\n" + D},
        });
}

// Before anything is computed every section says what is missing. Without
// observations m is not known: neither the note about repeats nor the
// statistics appear.
TEST_F(ReportTest, MissingDataIsNamed) {
    AllReportOptions();
    const TPieces head{
        {1, "Отчет составлен: 22:13:20, 14.11.2023.\n" + D},
        {2, "Количество факторов плана не определено.\n"},
        {3, "Тип плана не определен.\n"},
        {4, "Полное количество экспериментов: не определено.\n" + D},
        {5, "Тип модели не определен.\n" + D},
        {6, "Матрица плана в кодовом выражении не определена.\n" + D},
        {7, "Вектор основных уровней факторов не определен.\n" + D},
        {8, "Вектор интервалов варьирования не определен.\n" + D},
        {9, "Матрица плана в натуральном выражении не определена.\n" + D},
        {10, "Матрица базисных функций не создана.\n" + D},
        {11, "Информационная матрица не создана.\n" + D},
        {12, "Ковариационная матрица не создана.\n" + D},
    };
    const TPieces tail{
        {26, "Поиск экстремума не производился.\n" + D},
        {27, "<конец отчета>\n"},
    };
    ExpectSections(Report(), head +
                                 TPieces{
                                     {13, "Число повторений экспериментов не определено.\n" + D},
                                     {14, "Матрица откликов не определена.\n" + D},
                                     {15, "Вектор средних значений наблюдений не найден.\n" + D},
                                     {22, "Вектор параметров модели не найден.\n" + D},
                                 } +
                                 tail);

    SetObservations(plan, {{1, 2}, {3, 4}});
    ExpectSections(Report(),
                   head +
                       TPieces{
                           {13, "Число повторений каждого эксперимента: 2\n" + D},
                           {14, "Матрица откликов: \n1\t2\t\n3\t4\t\n" + D},
                           {15, "Вектор средних значений наблюдений не найден.\n" + D},
                           {17, "Вектор дисперсий наблюдений не найден.\n"},
                           {18, "Вектор ошибок наблюдений не найден.\n"},
                           {19, "Дисперсия воспроизводимости не определена." + D},
                           {20, "Максимальная из дисперсий опытов не найдена." + D},
                           {21, "Число значимых параметров не найдено.\n" + D},
                           {22, "Вектор параметров модели не найден.\n" + D},
                           {23, "Дисперсия адекватности не найдена.\n" + D},
                           {24, "Анализ однородности не произведен.\n" + D},
                           {25, "Анализ адекватности по критерию Фишера не производился.\n"
                                "Анализ адекватности по контрольной точке не производился.\n" +
                                    D},
                       } +
                       tail);
}

// Kind 3 is built from the generator "Куб 2^2" with its model.
TEST_F(ReportTest, PlanAndModelOfEachKind) {
    struct {
        int Kind, K;
        bool WithN;
        std::string Text;
    } const cases[] = {
        {PlanCCO, 2, true,
         "Тип плана: встроенный центральный композиционный ортогональный.\n"
         "Тип модели: Полином второго порядка от 2 переменных.\n"},
        {PlanCCR, 3, true,
         "Тип плана: встроенный центральный композиционный ротатабельный.\n"
         "Тип модели: Полином второго порядка от 3 переменных.\n"},
        {PlanCCR, 3, false,
         "Тип плана: встроенный центральный композиционный ротатабельный.\n"
         "Тип модели: Полином второго порядка.\n"},
        {PlanFFE, 2, false,
         "Тип плана: встроенный план полного факторного эксперимента.\n"
         "Тип модели: Полином первого порядка.\n"},
        {PlanGeneral, 2, true, "Тип плана: Куб 2^2\nТип модели: Линейная\n"},
        {7, 2, true, "Тип плана: План общего вида (7)\nТип модели не определен.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.Kind << ", N " << c.WithN);
        plan.Reset();
        TNewPlanAnswers generator;
        generator.GeneratorName = "Куб 2^2";
        generator.UseGeneratorModel = true;
        if (c.Kind == PlanGeneral)
            host.WizardAnswers.push_back(generator);
        else
            host.QueueBuiltinPlan(c.Kind > PlanGeneral ? PlanFFE : c.Kind, c.K);
        ASSERT_TRUE(plan.NewPlan());
        plan.HasRunCount = c.WithN;
        plan.PlanKind = static_cast<std::uint8_t>(c.Kind);
        ReportOptionsOnly({&TSettings::CBpType, &TSettings::CBModelType});
        EXPECT_EQ(Report(), c.Text);
    }
}

// A statistic equal to its critical value accepts; scalars keep five
// significant digits.
TEST_F(ReportTest, VerdictsFollowTheCriticalValues) {
    SetObservations(plan, {{1, 2}, {3, 4}});
    ReportOptionsOnly({&TSettings::CBCohrenAnalysis, &TSettings::CBFisherAnalysis});
    const std::string fisherHead = "Результаты анализа адекватности по критерию Фишера: \n";
    const std::string pointHead = "Результаты анализа адекватности по контрольной точке: \n";
    const std::string adequate = "Выбранная модель адекватно описывает исследуемую систему.\n";
    const std::string inadequate = "Выбранная модель неадекватна исследуемой системе.\n";
    struct {
        double Statistic, Critical;
        std::string Computed, Table, Cochran, Adequacy;
    } const cases[] = {
        {0.123456, 0.123456, "0.12346", "0.12346", "однородны", adequate},
        {2.000001, 2.0, "2", "2", "неоднородны", inadequate},
        {0.5, 12.3456789, "0.5", "12.346", "однородны", adequate},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Statistic);
        plan.CochranG = plan.FisherF = plan.CheckT = c.Statistic;
        plan.CochranGCrit = plan.FisherFCrit = plan.CheckTCrit = c.Critical;
        plan.HasCochran = plan.HasFisher = plan.HasCheckT = true;
        EXPECT_EQ(Report(),
                  "Результаты анализа однородности дисперсий: \n"
                  "Расчетное значение критерия Кохрена: " +
                      c.Computed + "\nТабличное значение критерия Кохрена: " + c.Table +
                      "\nДисперсии параллельных опытов " + c.Cochran + ".\n" + fisherHead +
                      "Расчетное значение критерия Фишера: " + c.Computed +
                      "\nТабличное значение критерия Фишера: " + c.Table + "\n" + c.Adequacy +
                      pointHead + "Расчетное значение критерия Стьюдента: " + c.Computed +
                      "\nТабличное значение критерия Стьюдента: " + c.Table + "\n" + c.Adequacy);
    }
}

// The date line is in local time, "HH:MM:SS, DD.MM.YYYY".
TEST_F(ReportTest, DateLineInLocalTime) {
    ReportOptionsOnly({&TSettings::CBTimeDate});
    struct {
        const char* Zone;
        std::time_t Moment;
        const char* Text;
    } const cases[] = {
        {"UTC0", Moment, "22:13:20, 14.11.2023"},
        {"MSK-3", Moment, "01:13:20, 15.11.2023"},
        {"UTC0", 946782245, "03:04:05, 02.01.2000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Zone);
        SetTimeZone(c.Zone);
        const std::time_t moment = c.Moment;
        plan.Clock = [moment] { return moment; };
        EXPECT_EQ(Report(), std::string("Отчет составлен: ") + c.Text + ".\n");
    }
}

} // namespace
