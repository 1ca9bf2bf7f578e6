// The standard math module as the program loads it: its designs against
// tables and constructions written here, its models term by term, its texts
// through the loader, and a plan from every generator that gives back the
// coefficients its responses were made from.

#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/MathDefinition.h"

#include "PlanData.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

// ---- Names of the module's models and of its families of designs ----

std::string Lin(int k) {
    return "Линейная модель, k = " + std::to_string(k);
}
std::string Int(int k) {
    return "Линейная модель с парными взаимодействиями, k = " + std::to_string(k);
}
std::string Quad(int k) {
    return "Полная квадратичная модель, k = " + std::to_string(k);
}
const std::string Exponent = "Сумма линейной функции и экспоненты";
const std::string FFE = "Полный факторный эксперимент 2^";
const std::string DFE = "Дробный факторный эксперимент 2^";
const std::string BB = "План Бокса - Бенкена, k = ";
const std::string CCF = "Гранецентрированный композиционный план, k = ";
const std::string Uniform = "Равномерный план одного фактора, ";

// ---- The models, built here from their definitions ----

struct TTerm {
    std::string Coef;
    std::function<double(const double*)> Value;
};
using TTerms = std::vector<TTerm>;

// "b12"; once a factor number has two digits they are separated: "b1,10".
std::string Label(const char* letter, std::initializer_list<int> numbers) {
    const bool wide = std::any_of(numbers.begin(), numbers.end(), [](int n) { return n >= 9; });
    std::string label = letter;
    for (const int n : numbers)
        label += (wide && label.size() > 1 ? "," : "") + std::to_string(n + 1);
    return label;
}

// A lone factor number from 11 on is bracketed: "b11" is x1^2's.
TTerm Linear(int i) {
    return {i >= 10 ? "b(" + std::to_string(i + 1) + ")" : Label("b", {i}),
            [i](const double* x) { return x[i]; }};
}
TTerm Pair(int i, int j) {
    return {Label("b", {i, j}), [i, j](const double* x) { return x[i] * x[j]; }};
}

// 1; x1 .. xk; xi*xj for i < j; x1^2 .. xk^2.
TTerms Polynomial(int k, bool pairs, bool squares) {
    TTerms terms{{"b0", [](const double*) { return 1.0; }}};
    for (int i = 0; i < k; ++i)
        terms.push_back(Linear(i));
    for (int i = 0; pairs && i < k; ++i)
        for (int j = i + 1; j < k; ++j)
            terms.push_back(Pair(i, j));
    for (int i = 0; squares && i < k; ++i)
        terms.push_back({Label("b", {i, i}), [i](const double* x) { return x[i] * x[i]; }});
    return terms;
}

// Scheffé's polynomials of three components: 1 linear, 2 quadratic,
// 3 special cubic, 4 full cubic.
TTerms Scheffe(int order) {
    TTerms terms{Linear(0), Linear(1), Linear(2)};
    if (order >= 2)
        terms.insert(terms.end(), {Pair(0, 1), Pair(0, 2), Pair(1, 2)});
    for (const auto& [i, j] : {std::pair{0, 1}, {0, 2}, {1, 2}})
        if (order == 4)
            terms.push_back({Label("d", {i, j}),
                             [i, j](const double* x) { return x[i] * x[j] * (x[i] - x[j]); }});
    if (order >= 3)
        terms.push_back({"b123", [](const double* x) { return x[0] * x[1] * x[2]; }});
    return terms;
}

struct TModelCase {
    std::string Name;
    int Dimension;
    TTerms Terms;
};

std::vector<TModelCase> ExpectedModels() {
    std::vector<TModelCase> models;
    for (int k = 1; k <= 11; ++k)
        models.push_back({Lin(k), k, Polynomial(k, false, false)});
    for (int k = 2; k <= 10; ++k)
        models.push_back({Int(k), k, Polynomial(k, true, false)});
    for (int k = 1; k <= 10; ++k)
        models.push_back({Quad(k), k, Polynomial(k, true, true)});
    models.push_back({"Полином Шеффе линейный", 3, Scheffe(1)});
    models.push_back({"Полином Шеффе квадратичный", 3, Scheffe(2)});
    models.push_back({"Полином Шеффе специальный кубический", 3, Scheffe(3)});
    models.push_back({"Полином Шеффе кубический", 3, Scheffe(4)});
    TTerms exponent = Polynomial(1, false, false);
    exponent.push_back({"bexp1", [](const double* x) { return std::exp(x[0]); }});
    models.push_back({Exponent, 1, exponent});
    TTerms powers = Polynomial(1, false, true);
    for (int d = 3; d <= 10; ++d) {
        powers.push_back({"b" + std::string(static_cast<std::size_t>(d), '1'),
                          [d](const double* x) { return std::pow(x[0], d); }});
        if (d > 3)
            models.push_back({"Полином степени " + std::to_string(d) + " от x1", 1, powers});
    }
    return models;
}

TTerms ExpectedTerms(const std::string& model) {
    for (TModelCase& m : ExpectedModels())
        if (m.Name == model)
            return std::move(m.Terms);
    ADD_FAILURE() << "no terms for " << model;
    return {};
}

// ---- The generators ----

// Levels: distinct levels per column (0 for mixtures, whose fractions sum to
// 1 instead); Balanced: every level equally often. Repeats: 1 for the plans
// that must fit exactly, 2 for the saturated ones, 3 otherwise.
struct TGenCase {
    std::string Name;
    int Runs;
    int Factors;
    int Levels;
    bool Balanced;
    std::string Model;
    int Repeats;
};

// clang-format off
const TGenCase GeneratorCases[] = {
    {FFE + "2", 4, 2, 2, true, Int(2), 2},
    {FFE + "3", 8, 3, 2, true, Int(3), 3},
    {FFE + "4", 16, 4, 2, true, Int(4), 3},
    {FFE + "5", 32, 5, 2, true, Int(5), 3},
    {FFE + "6", 64, 6, 2, true, Int(6), 3},
    {FFE + "7", 128, 7, 2, true, Int(7), 3},
    {DFE + "(3-1)", 4, 3, 2, true, Lin(3), 2},
    {DFE + "(4-1)", 8, 4, 2, true, Lin(4), 3},
    {DFE + "(5-1)", 16, 5, 2, true, Lin(5), 3},
    {DFE + "(5-2)", 8, 5, 2, true, Lin(5), 3},
    {DFE + "(6-2)", 16, 6, 2, true, Lin(6), 3},
    {DFE + "(7-3)", 16, 7, 2, true, Lin(7), 3},
    {DFE + "(7-4)", 8, 7, 2, true, Lin(7), 2},
    {"План Плакетта - Бермана, 11 факторов, 12 опытов", 12, 11, 2, true, Lin(11), 2},
    {BB + "3", 15, 3, 3, false, Quad(3), 3},
    {BB + "4", 27, 4, 3, false, Quad(4), 3},
    {BB + "5", 43, 5, 3, false, Quad(5), 3},
    {CCF + "2", 9, 2, 3, false, Quad(2), 3},
    {CCF + "3", 15, 3, 3, false, Quad(3), 3},
    {CCF + "4", 25, 4, 3, false, Quad(4), 3},
    {CCF + "5", 43, 5, 3, false, Quad(5), 3},
    {"Трехуровневый факторный план 3^2", 9, 2, 3, true, Quad(2), 3},
    {"Трехуровневый факторный план 3^3", 27, 3, 3, true, Quad(3), 3},
    {"Симплекс-решетчатый план {3,2}", 6, 3, 0, false, "Полином Шеффе квадратичный", 1},
    {"Симплекс-решетчатый план {3,3}", 10, 3, 0, false, "Полином Шеффе кубический", 1},
    {"Симплекс-центроидный план, 3 компонента", 7, 3, 0, false, "Полином Шеффе специальный кубический", 1},
    {Uniform + "5 точек", 5, 1, 5, true, Quad(1), 3},
    {Uniform + "7 точек", 7, 1, 7, true, Exponent, 1},
};
// clang-format on

// Rows written as characters: "+-0" for two- and three-level designs; digits
// over a common denominator for mixtures ("210" over 3 is 2/3, 1/3, 0).
TRows Rows(std::initializer_list<const char*> rows, int denominator = 0) {
    TRows out;
    for (const char* row : rows) {
        auto& r = out.emplace_back();
        for (const char* c = row; *c; ++c)
            r.push_back(denominator ? static_cast<double>(*c - '0') / denominator
                        : *c == '+' ? 1.0
                        : *c == '-' ? -1.0
                                    : 0.0);
    }
    return out;
}

// Runs in a fixed order, for comparing designs whose run order is free.
TRows Sorted(TRows rows) {
    for (auto& row : rows)
        for (double& v : row)
            v = std::round(v * 1e9) / 1e9;
    std::sort(rows.begin(), rows.end());
    return rows;
}

class StandardModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Registry.LoadModule(std::string(ORVAN_MODELS_DIR) + "/standard.so"));
        EXPECT_TRUE(Host.Messages.empty());
        Settings().CBAlsoCreateY = false;
        Settings().CBCohrenResultsShow = false;
        Settings().CBStudentResultsShow = false;
        Settings().CBFisherResultsShow = false;
    }
    void TearDown() override { Settings().SetDefaults(); }

    // The code matrix a generator writes; cells it leaves alone stay NaN.
    TRows Design(const std::string& name) const {
        const std::int32_t index = Registry.GenByName(name);
        if (index < 0) {
            ADD_FAILURE() << "no generator " << name;
            return {};
        }
        std::int32_t n = 0, k = 0;
        Registry.Generator(index)->GetSize(n, k);
        TRows rows(static_cast<std::size_t>(n),
                   std::vector<double>(static_cast<std::size_t>(k), std::nan("")));
        std::vector<double*> table;
        for (auto& row : rows)
            table.push_back(row.data());
        Registry.Generator(index)->Fill(table.data());
        return rows;
    }

    TScriptedHost Host;
    TMessageHostScope Scope{Host};
    TMathDefinition Registry;
};

} // namespace

TEST_F(StandardModuleTest, ModelsListTheirTermsInOrderWithTheirLabels) {
    const double x[] = {0.7, -0.4, 0.9, 0.2, -1.0, 0.5, -0.3, 0.8, -0.6, 0.1, 0.4};
    const auto expected = ExpectedModels();
    EXPECT_EQ(Registry.ModelCount(), static_cast<std::int32_t>(expected.size()));
    for (const TModelCase& m : expected) {
        SCOPED_TRACE(m.Name);
        const std::int32_t index = Registry.ModelByName(m.Name);
        ASSERT_GE(index, 0);
        const TModel* model = Registry.Model(index);
        EXPECT_EQ(model->RequiredDimension(), m.Dimension);
        ASSERT_EQ(model->AddenCount(), static_cast<std::int32_t>(m.Terms.size()));
        std::vector<double> b;
        double sum = 0.0;
        for (int j = 0; j < model->AddenCount(); ++j) {
            const TTerm& term = m.Terms[static_cast<std::size_t>(j)];
            EXPECT_EQ(model->GetAdden(j)->GetCoefName(), term.Coef);
            EXPECT_DOUBLE_EQ(model->GetAdden(j)->Evaluate(x), term.Value(x)) << term.Coef;
            b.push_back(1.5 - 0.25 * j);
            sum += b.back() * term.Value(x);
        }
        EXPECT_NEAR(model->Evaluate(x, b.data()), sum, 1e-12);
    }
}

TEST_F(StandardModuleTest, AddensOfEveryFamilyWithTheirTexts) {
    const double x[] = {0.5, -2.0, 3.0, 1.1, 0.9, -0.7, 1.3, -1.2, 0.6, 1.5, -0.8};
    // Name, text, coefficient label.
    const std::array<const char*, 3> cases[] = {
        {"1", "1", "b0"},
        {"x2", "x2", "b2"},
        {"x11", "x11", "b(11)"},
        {"x1*x2", "x1·x2", "b12"},
        {"x1*x10", "x1·x10", "b1,10"},
        {"x3^2", "x3^2", "b33"},
        {"x10^2", "x10^2", "b10,10"},
        {"x2^3", "x2^3", "b222"},
        {"x1*x2*x3", "x1·x2·x3", "b123"},
        {"exp(x1)", "e^(x1)", "bexp1"},
        {"x1*x2*(x1-x2)", "x1·x2·(x1-x2)", "d12"},
        {"x1^4", "x1^4", "b1111"},
        {"x1^10", "x1^10", "b1111111111"},
    };
    for (const auto& [name, text, coef] : cases) {
        const std::int32_t index = Registry.AddenByName(name);
        ASSERT_GE(index, 0) << name;
        EXPECT_EQ(Registry.Adden(index)->GetText(), text);
        EXPECT_EQ(Registry.Adden(index)->GetCoefName(), coef);
    }

    // Every member of every family, found by name, with the highest factor
    // number it uses and its value.
    auto expect = [&](const std::string& name, std::int32_t needed, double value) {
        const std::int32_t index = Registry.AddenByName(name);
        ASSERT_GE(index, 0) << name;
        EXPECT_EQ(Registry.Adden(index)->NeededFactors(), needed) << name;
        EXPECT_NEAR(Registry.Adden(index)->Evaluate(x), value, 1e-12) << name;
    };
    expect("1", 0, 1.0);
    expect("x11", 11, x[10]);
    for (int d = 4; d <= 10; ++d)
        expect("x1^" + std::to_string(d), 1, std::pow(x[0], d));
    for (int i = 1; i <= 10; ++i) {
        const std::string xi = "x" + std::to_string(i);
        const double v = x[i - 1];
        expect(xi, i, v);
        expect(xi + "^2", i, v * v);
        expect(xi + "^3", i, v * v * v);
        expect("exp(" + xi + ")", i, std::exp(v));
        for (int j = i + 1; j <= 10; ++j) {
            const std::string xj = "x" + std::to_string(j);
            const double w = x[j - 1];
            expect(xi + "*" + xj, j, v * w);
            expect(xi + "*" + xj + "*(" + xi + "-" + xj + ")", j, v * w * (v - w));
            for (int l = j + 1; l <= 10; ++l)
                expect(xi + "*" + xj + "*x" + std::to_string(l), l, v * w * x[l - 1]);
        }
    }
}

TEST_F(StandardModuleTest, NamesAreUniqueAndArriveInUtf8) {
    std::set<std::string> names;
    std::set<std::string> labels;
    for (std::int32_t i = 0; i < Registry.AddenCount(); ++i) {
        names.insert(Registry.Adden(i)->GetName());
        labels.insert(Registry.Adden(i)->GetCoefName());
    }
    // A coefficient label names one term only (x11 and x1^2 once shared "b11").
    EXPECT_EQ(labels.size(), static_cast<std::size_t>(Registry.AddenCount()));
    for (std::int32_t i = 0; i < Registry.ModelCount(); ++i)
        names.insert(Registry.Model(i)->GetName());
    for (std::int32_t i = 0; i < Registry.GenCount(); ++i)
        names.insert(Registry.Generator(i)->GetName());
    EXPECT_EQ(names.size(), static_cast<std::size_t>(Registry.AddenCount() + Registry.ModelCount() +
                                                     Registry.GenCount()));
    // Exactly the generators of the table (each is used below).
    EXPECT_EQ(Registry.GenCount(), static_cast<std::int32_t>(std::size(GeneratorCases)));
    // The bytes of "План Бокса - Бенкена, k = 3" and "x1·x2" as a person types them.
    EXPECT_EQ(Registry.Generator(Registry.GenByName(BB + "3"))->GetName(),
              "\xD0\x9F\xD0\xBB\xD0\xB0\xD0\xBD \xD0\x91\xD0\xBE\xD0\xBA\xD1\x81\xD0\xB0 - "
              "\xD0\x91\xD0\xB5\xD0\xBD\xD0\xBA\xD0\xB5\xD0\xBD\xD0\xB0, k = 3");
    EXPECT_EQ(Registry.Adden(Registry.AddenByName("x1*x2"))->GetText(), "x1\xC2\xB7x2");
}

TEST_F(StandardModuleTest, SmallDesignsMatchTheirTables) {
    // The run order of these is checked, where it matters, below.
    const std::map<std::string, TRows> tables = {
        {FFE + "2", Rows({"--", "+-", "-+", "++"})},
        {DFE + "(3-1)", Rows({"--+", "+--", "-+-", "+++"})},
        {DFE + "(5-2)",
         Rows({"---++", "+----", "-+--+", "++-+-", "--++-", "+-+-+", "-++--", "+++++"})},
        {DFE + "(7-4)", Rows({"---+++-", "+----++", "-+--+-+", "++-+---", "--++--+", "+-+-+--",
                              "-++--+-", "+++++++"})},
        // Plackett and Burman's row for twelve runs and its cyclic shifts,
        // then the all-minus run.
        {"План Плакетта - Бермана, 11 факторов, 12 опытов",
         Rows({"++-+++---+-", "-++-+++---+", "+-++-+++---", "-+-++-+++--", "--+-++-+++-",
               "---+-++-+++", "+---+-++-++", "++---+-++-+", "+++---+-++-", "-+++---+-++",
               "+-+++---+-+", "-----------"})},
        {BB + "3", Rows({"--0", "-+0", "+-0", "++0", "-0-", "-0+", "+0-", "+0+", "0--", "0-+",
                         "0+-", "0++", "000", "000", "000"})},
        {CCF + "2", Rows({"--", "-+", "+-", "++", "-0", "+0", "0-", "0+", "00"})},
        {"Трехуровневый факторный план 3^2",
         Rows({"--", "-0", "-+", "0-", "00", "0+", "+-", "+0", "++"})},
        {"Симплекс-решетчатый план {3,2}", Rows({"200", "020", "002", "110", "101", "011"}, 2)},
        {"Симплекс-решетчатый план {3,3}",
         Rows({"300", "030", "003", "210", "120", "201", "102", "021", "012", "111"}, 3)},
        {"Симплекс-центроидный план, 3 компонента",
         Rows({"600", "060", "006", "330", "303", "033", "222"}, 6)},
        {Uniform + "5 точек", {{-1}, {-0.5}, {0}, {0.5}, {1}}},
        {Uniform + "7 точек", {{-1}, {-2.0 / 3}, {-1.0 / 3}, {0}, {1.0 / 3}, {2.0 / 3}, {1}}},
    };
    for (const auto& [name, rows] : tables)
        EXPECT_EQ(Sorted(Design(name)), Sorted(rows)) << name;
}

TEST_F(StandardModuleTest, EveryDesignHasItsSizeLevelsBalanceAndOrthogonality) {
    for (const TGenCase& c : GeneratorCases) {
        SCOPED_TRACE(c.Name);
        const TRows design = Design(c.Name);
        ASSERT_EQ(design.size(), static_cast<std::size_t>(c.Runs));
        ASSERT_EQ(design[0].size(), static_cast<std::size_t>(c.Factors));
        for (const auto& row : design) {
            if (c.Levels == 0) {
                EXPECT_NEAR(row[0] + row[1] + row[2], 1.0, 1e-15);
                EXPECT_TRUE(std::all_of(row.begin(), row.end(), [](double v) { return v >= 0; }));
            }
        }
        for (std::size_t j = 0; c.Levels > 0 && j < design[0].size(); ++j) {
            std::map<double, int> counts;
            double sum = 0.0;
            for (const auto& row : design) {
                ++counts[row[j]];
                sum += row[j];
            }
            EXPECT_EQ(static_cast<int>(counts.size()), c.Levels) << "column " << j;
            EXPECT_NEAR(sum, 0.0, 1e-12) << "column " << j;
            for (const auto& [level, count] : counts)
                EXPECT_TRUE(!c.Balanced || count * c.Levels == c.Runs)
                    << "column " << j << " level " << level << ": " << count;
            // Main-effect columns are mutually orthogonal.
            for (std::size_t l = 0; l < j; ++l) {
                double dot = 0.0;
                for (const auto& row : design)
                    dot += row[j] * row[l];
                EXPECT_NEAR(dot, 0.0, 1e-12) << "columns " << l << ", " << j;
            }
        }
    }
}

TEST_F(StandardModuleTest, FactorialsAreInStandardOrderWithTheirDefiningRelations) {
    // Base factors A, B, ... in standard order (the first alternates
    // fastest); every further column is the product its word names.
    std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {DFE + "(3-1)", {"AB"}},
        {DFE + "(4-1)", {"ABC"}},
        {DFE + "(5-1)", {"ABCD"}},
        {DFE + "(5-2)", {"AB", "AC"}},
        {DFE + "(6-2)", {"ABC", "BCD"}},
        {DFE + "(7-3)", {"ABC", "BCD", "ACD"}},
        {DFE + "(7-4)", {"AB", "AC", "BC", "ABC"}},
    };
    for (int k = 2; k <= 7; ++k)
        cases.push_back({FFE + std::to_string(k), {}});
    for (const auto& [name, words] : cases) {
        SCOPED_TRACE(name);
        const TRows design = Design(name);
        ASSERT_FALSE(design.empty());
        const std::size_t base = design[0].size() - words.size();
        ASSERT_EQ(design.size(), std::size_t{1} << base);
        for (std::size_t i = 0; i < design.size(); ++i) {
            // The base levels read as the binary digits of the run number.
            std::size_t number = 0;
            for (std::size_t j = 0; j < base; ++j)
                number += design[i][j] > 0 ? std::size_t{1} << j : 0;
            EXPECT_EQ(number, i);
            for (std::size_t w = 0; w < words.size(); ++w) {
                double product = 1.0;
                for (const char letter : words[w])
                    product *= design[i][static_cast<std::size_t>(letter - 'A')];
                EXPECT_EQ(design[i][base + w], product) << "run " << i << ", " << words[w];
            }
        }
    }
}

TEST_F(StandardModuleTest, ThreeLevelDesignsFollowTheirConstructions) {
    // Runs grouped by how many factors are off the centre: {runs, distinct
    // runs}. As many distinct runs as {-1, 0, 1}^k has points with that many
    // nonzero levels means every such point is there: Box-Behnken has each
    // pair of factors at the corners of its square with the others at 0 and
    // three centre runs; the face-centred plan every corner, every face
    // centre and one centre run; 3^3 every combination.
    using TShape = std::map<int, std::pair<int, int>>;
    const std::pair<std::string, TShape> cases[] = {
        {BB + "3", {{2, {12, 12}}, {0, {3, 1}}}},
        {BB + "4", {{2, {24, 24}}, {0, {3, 1}}}},
        {BB + "5", {{2, {40, 40}}, {0, {3, 1}}}},
        {CCF + "2", {{2, {4, 4}}, {1, {4, 4}}, {0, {1, 1}}}},
        {CCF + "3", {{3, {8, 8}}, {1, {6, 6}}, {0, {1, 1}}}},
        {CCF + "4", {{4, {16, 16}}, {1, {8, 8}}, {0, {1, 1}}}},
        {CCF + "5", {{5, {32, 32}}, {1, {10, 10}}, {0, {1, 1}}}},
        {"Трехуровневый факторный план 3^3",
         {{3, {8, 8}}, {2, {12, 12}}, {1, {6, 6}}, {0, {1, 1}}}},
    };
    for (const auto& [name, expected] : cases) {
        SCOPED_TRACE(name);
        std::map<int, std::set<std::vector<double>>> distinct;
        TShape shape;
        for (const auto& row : Design(name)) {
            int off = 0;
            for (const double v : row) {
                EXPECT_TRUE(v == -1.0 || v == 0.0 || v == 1.0) << v;
                off += v != 0.0;
            }
            distinct[off].insert(row);
            shape[off] = {shape[off].first + 1, static_cast<int>(distinct[off].size())};
        }
        EXPECT_EQ(shape, expected);
    }
}

TEST_F(StandardModuleTest, EveryGeneratorsPlanGivesBackItsCoefficients) {
    for (const TGenCase& c : GeneratorCases) {
        SCOPED_TRACE(c.Name);
        TScriptedHost host;
        TRaruRuro plan(host);
        plan.SetMathCatalog(&Registry);
        TNewPlanAnswers answers;
        answers.Source = TPlanSource::Generator;
        answers.GeneratorName = c.Name;
        answers.UseGeneratorModel = true;
        host.WizardAnswers.push_back(answers);
        ASSERT_TRUE(plan.NewPlan());
        ASSERT_NE(plan.Model, nullptr);
        ASSERT_EQ(plan.Model->GetName(), c.Model);
        ASSERT_EQ(plan.RunCount, c.Runs);

        // Coefficients of both signs well clear of the noise; the plans of
        // one repeat get no noise and must fit exactly.
        const TTerms terms = ExpectedTerms(c.Model);
        const int p = static_cast<int>(terms.size());
        std::vector<double> b;
        for (int j = 0; j < p; ++j)
            b.push_back((j % 2 ? -1.0 : 1.0) * (2.0 + 0.5 * j));
        const double noise = c.Repeats > 1 ? 0.01 : 0.0;
        TRows y(static_cast<std::size_t>(c.Runs));
        for (int i = 0; i < c.Runs; ++i) {
            double f = 0.0;
            for (int j = 0; j < p; ++j)
                f += b[j] * terms[j].Value(plan.CodeMatrix.Row(i));
            for (int r = 0; r < c.Repeats; ++r)
                y[i].push_back(f + noise * std::sin(12.9898 * i + 78.233 * r + 1.0));
        }
        SetObservations(plan, y);
        ASSERT_TRUE(plan.CheckHomogeneity());
        ASSERT_TRUE(plan.EstimateRegression());
        EXPECT_TRUE(host.Messages.empty());
        EXPECT_TRUE(host.Questions.empty());
        ASSERT_EQ(plan.BVector.Size(), p);
        EXPECT_EQ(plan.SignificantCount, p);

        // A run's mean is off by at most the noise, so coefficient j is off
        // by at most the noise times the sum over the runs of |(C X')_ji|.
        for (int j = 0; j < p; ++j) {
            double weight = 0.0;
            for (int i = 0; i < c.Runs; ++i) {
                double cx = 0.0;
                for (int l = 0; l < p; ++l)
                    cx += plan.InvInfoMatrix.Get(j, l) * plan.BasisMatrix.Get(i, l);
                weight += std::fabs(cx);
            }
            EXPECT_NEAR(plan.BVector.Get(j), b[j], noise * weight + 1e-12) << terms[j].Coef;
        }
    }
}
