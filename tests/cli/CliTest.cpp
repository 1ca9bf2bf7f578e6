// The batch tool run as a process, as scripts call it: every command, the
// JSON it prints, its exit codes, and that a refused change leaves the plan
// file as it was.

#include "ProcessRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvanta::test;
using nlohmann::json;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orvan-cli-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        Folder = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + Folder + "'").c_str()); }

    TProcessResult Orvan(const std::vector<std::string>& arguments) {
        return RunProcess(ORVAN_BINARY, arguments);
    }
    std::string Path(const std::string& name) const { return Folder + "/" + name; }
    // Runs a command that must succeed and returns its standard output.
    std::string Ok(const std::vector<std::string>& arguments) {
        const TProcessResult r = Orvan(arguments);
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
        return r.Out;
    }
    json Json(const std::vector<std::string>& arguments) {
        const std::string out = Ok(arguments);
        return json::parse(out, nullptr, false);
    }

    // A rotatable plan of two factors whose run means follow
    // y = 10 + 2 x1 - 3 x2 + 0.5 x1 x2 + 1.5 x1^2 + 2 x2^2 exactly; the
    // three repeats of each run are the mean -0.2, +0, +0.2.
    std::string QuadraticPlan() {
        const std::string plan = Path("ccr.mpl");
        Ok({"new", "--builtin", "ccr", "--factors", "2", "--repeats", "3", "-o", plan});
        const double a = std::sqrt(2.0);
        const double x[9][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}, {-a, 0},
                                {a, 0},   {0, -a}, {0, a},  {0, 0}};
        std::ostringstream table;
        table.precision(17);
        for (const auto& r : x) {
            const double y =
                10 + 2 * r[0] - 3 * r[1] + 0.5 * r[0] * r[1] + 1.5 * r[0] * r[0] + 2 * r[1] * r[1];
            table << y - 0.2 << " " << y << "\t" << y + 0.2 << "\n";
        }
        WriteAll(Path("y.txt"), table.str());
        Ok({"set", plan, "--responses", Path("y.txt")});
        return plan;
    }

    std::string Folder;
};

} // namespace

TEST_F(CliTest, AnalyzeGivesTheCoefficientsOfAKnownQuadratic) {
    const std::string plan = QuadraticPlan();
    const json r = Json({"analyze", plan, "--json"});
    ASSERT_FALSE(r.is_discarded());
    EXPECT_EQ(r["factors"], 2);
    EXPECT_EQ(r["runs"], 9);
    EXPECT_EQ(r["repeats"], 3);
    EXPECT_EQ(r["planKind"], "ccr");
    const double expected[] = {10, 2, -3, 0.5, 1.5, 2};
    const char* labels[] = {"B0", "B1", "B2", "B12", "B11", "B22"};
    ASSERT_EQ(r["coefficients"].size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(labels[i]);
        EXPECT_EQ(r["coefficients"][i]["label"], labels[i]);
        EXPECT_NEAR(r["coefficients"][i]["value"].get<double>(), expected[i], 1e-9);
        EXPECT_TRUE(r["coefficients"][i]["significant"].get<bool>());
    }
    // Every run varies by +-0.2: s^2 = 0.04, the same in every run.
    EXPECT_NEAR(r["reproducibilityVariance"].get<double>(), 0.04, 1e-12);
    EXPECT_NEAR(r["cochran"]["G"].get<double>(), 1.0 / 9, 1e-12);
    EXPECT_TRUE(r["cochran"]["homogeneous"].get<bool>());
    EXPECT_EQ(r["fisher"]["f1"], 3);
    EXPECT_EQ(r["fisher"]["f2"], 18);
    EXPECT_TRUE(r["fisher"]["adequate"].get<bool>());
    EXPECT_TRUE(r["checkPoint"].is_null());
    EXPECT_EQ(r["status"], "Проведен полный анализ.");
    // s_b = sqrt(s^2 C_00 / m).
    EXPECT_GT(r["coefficients"][0]["stdError"].get<double>(), 0.0);

    const json p = Json({"predict", plan, "--at", "0.5,-0.5", "--json"});
    EXPECT_NEAR(p["value"].get<double>(), 10 + 1 + 1.5 - 0.125 + 0.375 + 0.5, 1e-9);

    // The gradient 2 + 3 x1 + 0.5 x2 = 0, -3 + 0.5 x1 + 4 x2 = 0 vanishes at
    // x2 = 40/47, x1 = -(2 + 20/47)/3; Gauss-Seidel walks a grid of 0.02.
    const json e =
        Json({"extremum", plan, "--min", "--method", "gauss-seidel", "--count", "100", "--json"});
    ASSERT_EQ(e["point"].size(), 2u);
    EXPECT_NEAR(e["point"][0].get<double>(), -(2 + 20.0 / 47) / 3, 0.03);
    EXPECT_NEAR(e["point"][1].get<double>(), 40.0 / 47, 0.03);

    const std::string report = Ok({"report", plan});
    EXPECT_NE(report.find("Количество факторов: 2"), std::string::npos);
    EXPECT_NE(report.find("Дисперсии параллельных опытов однородны."), std::string::npos);
}

TEST_F(CliTest, RefusedChangesLeaveThePlanFileAsItWas) {
    const std::string plan = QuadraticPlan();
    const std::string before = ReadAll(plan);
    WriteAll(Path("short.txt"), "1 2\n3 4\n");
    WriteAll(Path("damaged.mpl"), "MTPL\x02garbage");
    struct {
        const char* Case;
        std::vector<std::string> Arguments;
        int Exit;
    } const cases[] = {
        {"responses of the wrong shape", {"set", plan, "--responses", Path("short.txt")}, 1},
        {"levels of the wrong size", {"set", plan, "--levels", "1,2,3"}, 1},
        {"a missing table", {"set", plan, "--responses", Path("none.txt")}, 1},
        {"an unknown option", {"set", plan, "--colour", "red"}, 2},
        {"a missing plan", {"analyze", Path("none.mpl")}, 1},
        {"a damaged plan", {"analyze", Path("damaged.mpl")}, 1},
        {"no command", {}, 2},
        {"an unknown command", {"frobnicate"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        const TProcessResult r = Orvan(c.Arguments);
        EXPECT_EQ(r.ExitCode, c.Exit);
        EXPECT_FALSE(r.Err.empty());
        EXPECT_EQ(ReadAll(plan), before);
    }
    const TProcessResult r = Orvan({"analyze", Path("damaged.mpl")});
    EXPECT_NE(r.Err.find("Файл поврежден. Извините."), std::string::npos) << r.Err;
}

TEST_F(CliTest, PlansFromTheStandardModule) {
    const TProcessResult unknown =
        Orvan({"new", "--generator", "Нет такого плана", "--repeats", "2", "-o", Path("g.mpl")});
    EXPECT_EQ(unknown.ExitCode, 1);
    EXPECT_FALSE(unknown.Err.empty());
    EXPECT_NE(::access(Path("g.mpl").c_str(), F_OK), 0);

    Ok({"new", "--generator", "Полный факторный эксперимент 2^3", "--repeats", "2", "-o",
        Path("g.mpl")});
    EXPECT_EQ(ReadAll(Path("g.mpl")).substr(0, 4), "MTPL");

    // y = 1 + 2 x + 3 e^x on seven points, without repeats: an exact fit.
    const std::string plan = Path("exp.mpl");
    Ok({"new", "--custom", "--factors", "1", "--runs", "4", "--model",
        "Сумма линейной функции и экспоненты", "--repeats", "1", "-o", plan});
    WriteAll(Path("code.txt"), "-1\n-0.5\n0.5\n1\n");
    std::ostringstream y;
    y.precision(17);
    for (double x : {-1.0, -0.5, 0.5, 1.0})
        y << 1 + 2 * x + 3 * std::exp(x) << "\n";
    WriteAll(Path("exp-y.txt"), y.str());
    Ok({"set", plan, "--code", Path("code.txt"), "--responses", Path("exp-y.txt")});
    const json r = Json({"analyze", plan, "--json"});
    ASSERT_EQ(r["coefficients"].size(), 3u);
    EXPECT_NEAR(r["coefficients"][0]["value"].get<double>(), 1.0, 1e-9);
    EXPECT_NEAR(r["coefficients"][1]["value"].get<double>(), 2.0, 1e-9);
    EXPECT_NEAR(r["coefficients"][2]["value"].get<double>(), 3.0, 1e-9);
    EXPECT_TRUE(r["cochran"].is_null());

    const json modules = Json({"modules", "--json"});
    ASSERT_FALSE(modules["modules"].empty());
    bool found = false;
    for (const auto& g : modules["modules"][0]["generators"])
        found = found || g["name"] == "Полный факторный эксперимент 2^3";
    EXPECT_TRUE(found);
}

TEST_F(CliTest, ExportsDiagramsAndSurfaces) {
    const std::string plan = QuadraticPlan();
    Ok({"set", plan, "--levels", "10,20", "--intervals", "2,5", "--names", "Температура;Время",
        "--response-name", "Выход"});
    Ok({"export", plan, "--item", "code", "-o", Path("code.txt")});
    EXPECT_EQ(ReadAll(Path("code.txt")).substr(0, 6), "Matrix");
    Ok({"export", plan, "--item", "levels", "-o", Path("levels.txt")});
    EXPECT_EQ(ReadAll(Path("levels.txt")).substr(0, 6), "Vector");

    Ok({"diagram", plan, "--factor", "1", "--from", "-1", "--to", "1", "--points", "3", "-o",
        Path("d.txt")});
    const std::string d = ReadAll(Path("d.txt"));
    EXPECT_EQ(std::count(d.begin(), d.end(), '\n'), 3);

    Ok({"surface", plan, "--factors", "1,2", "--from", "-1,-1", "--to", "1,1", "--points", "3,2",
        "-o", Path("s.grd")});
    const std::string s = ReadAll(Path("s.grd"));
    // The grid header holds the natural ranges: 10 +- 2 and 20 +- 5.
    EXPECT_EQ(s.substr(0, s.find('\n', s.find('\n', s.find('\n', 5) + 1) + 1) + 1),
              "DSAA\n3\t2\n8\t12\n15\t25\n");

    const std::string report = Ok({"report", plan, "--all-sections"});
    EXPECT_NE(report.find("Вектор основных уровней факторов:"), std::string::npos);
    EXPECT_NE(report.find("Матрица базисных функций:"), std::string::npos);
}

TEST_F(CliTest, QuantilesAlwaysUseAPoint) {
    struct {
        std::vector<std::string> Arguments;
        double Value;
    } const cases[] = {
        {{"quantile", "student", "35"}, 2.03},
        {{"quantile", "fisher", "1", "1"}, 164.4},
        {{"quantile", "cochran", "2", "1"}, 0.9985},
        {{"quantile", "pearson", "upper", "45"}, 43.8},
        {{"quantile", "pearson", "lower", "1"}, 0.0039},
    };
    for (const auto& c : cases) {
        const std::string out = Ok(c.Arguments);
        EXPECT_EQ(out.find(','), std::string::npos) << out;
        EXPECT_NEAR(std::stod(out), c.Value, 1e-12) << out;
    }
    // With no degrees of freedom the quantile is the largest double; it must
    // read back as that, not overflow to infinity.
    EXPECT_EQ(std::stod(Ok({"quantile", "student", "0"})), std::numeric_limits<double>::max());
    EXPECT_EQ(Orvan({"quantile", "student"}).ExitCode, 2);
}

// The reference plans of tests/data/statistics with figures from R.
TEST_F(CliTest, StatisticsAndExactQuantiles) {
    const std::string data = std::string(ORVAN_TEST_DATA) + "/statistics/";
    const std::string plan = Path("ccr2-m3.mpl");
    WriteAll(plan, ReadAll(data + "ccr2-m3.mpl"));
    const auto s = nlohmann::ordered_json::parse(
        Ok({"statistics", plan, "--insignificant", "ignore", "--json"}));
    std::vector<std::string> keys, sources;
    for (const auto& [key, value] : s.items())
        keys.push_back(key);
    EXPECT_EQ(keys,
              (std::vector<std::string>{"errorTerm", "alpha", "anova", "fit", "coefficients",
                                        "observations", "canonical", "steepestAscent", "lenth"}));
    for (const auto& row : s["anova"])
        sources.push_back(row["source"]);
    EXPECT_EQ(sources, (std::vector<std::string>{"model", "B1", "B2", "B12", "B11", "B22",
                                                 "residual", "lackOfFit", "pureError", "total"}));
    EXPECT_EQ(s["errorTerm"], "pure");
    EXPECT_TRUE(s["anova"][6]["f"].is_null());
    EXPECT_NEAR(s["fit"]["rSquared"].get<double>(), 0.99556827342867937, 1e-15);
    EXPECT_TRUE(s["coefficients"][0]["vif"].is_null());
    EXPECT_EQ(s["observations"].size(), 27u);
    EXPECT_EQ(s["observations"][26]["run"], 9);
    EXPECT_EQ(s["observations"][26]["repeat"], 3);
    EXPECT_EQ(s["canonical"]["kind"], "maximum");
    EXPECT_TRUE(s["steepestAscent"].is_null() && s["lenth"].is_null());
    const std::string text =
        Ok({"statistics", plan, "--insignificant", "ignore", "--error", "residual"});
    EXPECT_NE(text.find("Дисперсионный анализ (ошибка: остаток):"), std::string::npos) << text;
    EXPECT_NE(text.find("< 0.0001"), std::string::npos);

    // The tests' critical values from the distributions; R's qf for Cochran.
    const json a = Json({"analyze", plan, "--exact-quantiles", "--json"});
    EXPECT_NEAR(a["cochran"]["critical"].get<double>(), 0.47749441508161228, 1e-15);
    const json a1 = Json({"analyze", plan, "--exact-quantiles", "--alpha", "0.01", "--json"});
    EXPECT_NEAR(a1["cochran"]["critical"].get<double>(), 0.57271299360376826, 1e-15);

    const struct {
        std::vector<std::string> Arguments;
        double Value;
    } quantiles[] = {
        {{"quantile", "student", "10", "--exact"}, 2.2281388519862739},
        {{"quantile", "fisher", "10", "3", "--exact", "--alpha", "0.1"}, 2.7276731411650688},
        {{"quantile", "cochran", "9", "2", "--exact"}, 0.47749441508161228},
    };
    for (const auto& q : quantiles)
        EXPECT_NEAR(std::stod(Ok(q.Arguments)), q.Value, 1e-14 * q.Value);

    // Refusals: no pure error without repeats; options out of their range.
    const std::string single = Path("ffe4-lenth.mpl");
    WriteAll(single, ReadAll(data + "ffe4-lenth.mpl"));
    const TProcessResult pure = Orvan({"statistics", single, "--error", "pure"});
    EXPECT_EQ(pure.ExitCode, 1);
    EXPECT_NE(pure.Err.find("Чистая ошибка не определена: опыты не повторялись."),
              std::string::npos);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"statistics", plan, "--error", "total"},
          {"statistics", plan, "--alpha", "1.5"},
          {"quantile", "student", "10", "--alpha", "0.1"}})
        EXPECT_EQ(Orvan(bad).ExitCode, 2) << bad[0] << " " << bad[2];
}

TEST_F(CliTest, EveryOtherOptionIsTakenAsGiven) {
    const std::string plan = QuadraticPlan();
    Ok({"set", plan, "--levels", "10,20", "--intervals", "2,5"});

    // Natural 12, 15 is coded 1, -1.
    const json natural = Json({"predict", plan, "--at", "12,15", "--natural", "--json"});
    EXPECT_NEAR(natural["value"].get<double>(), 10 + 2 + 3 - 0.5 + 1.5 + 2, 1e-9);

    // The maximum of the quadratic in [-1, 1]^2 is at the corner (1, -1).
    const json max = Json({"extremum", plan, "--max", "--method", "monte-carlo", "--count", "20000",
                           "--seed", "3", "--json"});
    EXPECT_NEAR(max["point"][0].get<double>(), 0.998, 0.01);
    EXPECT_NEAR(max["point"][1].get<double>(), -1.0, 0.01);
    // A box of its own: the minimum over [0, 1] x [0, 1] lies on x1 = 0;
    // the walk from the centre on steps of 0.02 ends within one step of it.
    const json box = Json({"extremum", plan, "--min", "--method", "gauss-seidel", "--count", "50",
                           "--lower", "0,0", "--upper", "1,1", "--json"});
    EXPECT_NEAR(box["point"][0].get<double>(), 0.0, 0.02 + 1e-9);

    for (const char* item : {"natural", "intervals", "responses"}) {
        SCOPED_TRACE(item);
        Ok({"export", plan, "--item", item, "-o", Path(std::string(item) + ".txt")});
        EXPECT_FALSE(ReadAll(Path(std::string(item) + ".txt")).empty());
    }
    // Three points with their natural abscissae 8, 10, 12.
    Ok({"diagram", plan, "--factor", "1", "--from", "-1", "--to", "1", "--points", "3", "--at",
        "0,0", "--all-coords", "-o", Path("d.txt")});
    const std::string d = ReadAll(Path("d.txt"));
    EXPECT_EQ(d.substr(0, 2), "-1");
    Ok({"surface", plan, "--factors", "2,1", "--from", "-1,-1", "--to", "1,1", "--points", "2,2",
        "--all-coords", "-o", Path("s.txt")});
    const std::string s = ReadAll(Path("s.txt"));
    EXPECT_EQ(std::count(s.begin(), s.end(), '\n'), 4);

    // Every coefficient is significant here, so the choice changes nothing.
    for (const char* choice : {"ignore", "zero", "refit"}) {
        const json r = Json({"analyze", plan, "--insignificant", choice, "--json"});
        EXPECT_EQ(r["significantCount"], 6) << choice;
    }
    EXPECT_EQ(Orvan({"analyze", plan, "--insignificant", "maybe"}).ExitCode, 2);
    EXPECT_NE(Ok({"modules"}).find("standard.so"), std::string::npos);
}

TEST_F(CliTest, SaturatedPlanWithACheckPoint) {
    // Four terms on four runs: only the check point can judge the model.
    const std::string plan = Path("sat.mpl");
    Ok({"new", "--custom", "--factors", "2", "--runs", "4", "--addens", "1,x1,x2,x1*x2",
        "--repeats", "2", "-o", plan});
    WriteAll(Path("code.txt"), "-1 -1\n1 -1\n-1 1\n1 1\n");
    // Semicolons between the numbers make the comma a decimal separator. The
    // run means 1.2, 3, 3.2, 5.6 give b = 3.25, 1.05, 1.15, 0.15, all above
    // t(4) s_b = 2.78 sqrt(0.02 / 4 / 2).
    WriteAll(Path("y.txt"), "1,1;1,3\n2,9;3,1\n3,1;3,3\n5,5;5,7\n");
    const TProcessResult unknown =
        Orvan({"new", "--custom", "--factors", "2", "--runs", "4", "--addens", "1,x9*x9",
               "--repeats", "2", "-o", Path("bad.mpl")});
    EXPECT_EQ(unknown.ExitCode, 1);
    EXPECT_NE(unknown.Err.find("x9*x9"), std::string::npos);
    // The wizard's limits, refused with the wizard's words before any table is sized.
    const struct {
        const char *Factors, *Runs, *Message;
    } limits[] = {
        {"0", "4", "Поле \"Количество факторов\" должно содержать\nчисло от 1 до 10."},
        {"11", "4", "Поле \"Количество факторов\" должно содержать\nчисло от 1 до 10."},
        {"2", "1000", "Поле \"Количество опытов\" должно содержать\nчисло от 1 до 999."},
        {"2147483647", "2147483647",
         "Поле \"Количество факторов\" должно содержать\nчисло от 1 до 10."},
    };
    for (const auto& c : limits) {
        const TProcessResult r =
            Orvan({"new", "--custom", "--factors", c.Factors, "--runs", c.Runs, "--addens", "1,x1",
                   "--repeats", "2", "-o", Path("big.mpl")});
        EXPECT_EQ(r.ExitCode, 1) << c.Factors << " " << c.Runs;
        EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    }

    Ok({"set", plan, "--code", Path("code.txt"), "--responses", Path("y.txt"), "--names",
        "Давление;Время", "--response-name", "Прочность", "--check-point", "0,0",
        "--check-responses", "3.1,3.3,3.2"});
    // A name the plan file could not hold is refused where it enters.
    const struct {
        const char* Option;
        std::string Value;
        const char* Message;
    } tooLong[] = {
        {"--names", "a;" + std::string(65534, 'b'), "Имя фактора № 2 длиннее 65533 символов"},
        {"--response-name", std::string(65534, 'c'), "Имя отклика длиннее 65533 символов"},
    };
    for (const auto& c : tooLong) {
        const TProcessResult refused = Orvan({"set", plan, c.Option, c.Value});
        EXPECT_EQ(refused.ExitCode, 1) << c.Option;
        EXPECT_NE(refused.Err.find(c.Message), std::string::npos) << refused.Err;
    }
    const json r = Json({"analyze", plan, "--json"});
    ASSERT_TRUE(r["checkPoint"].is_object()) << r.dump();
    EXPECT_TRUE(r["fisher"].is_null());
    // The check point is the centre: f = (1, 0, 0, 0), h = C_00 = 1/4.
    EXPECT_NEAR(r["checkPoint"]["predictionVariance"].get<double>(), 0.25, 1e-12);
    const std::string report = Ok({"report", plan});
    EXPECT_NE(report.find("Результаты анализа адекватности по контрольной точке"),
              std::string::npos);
}

TEST_F(CliTest, RemainingFormsOfTheCommands) {
    struct {
        const char* Kind;
        int Runs;
    } const builtins[] = {{"ffe", 8}, {"cco", 15}, {"ccr", 15}};
    for (const auto& b : builtins) {
        SCOPED_TRACE(b.Kind);
        const std::string plan = Path(std::string(b.Kind) + ".mpl");
        Ok({"new", "--builtin", b.Kind, "--factors", "3", "--repeats", "2", "-o", plan});
        WriteAll(Path("levels.txt"), "5 6 7\n");
        const TProcessResult levels = Orvan({"set", plan, "--levels", Path("levels.txt")});
        EXPECT_EQ(levels.ExitCode, 0) << levels.Err;
        const std::string export_ = Path("levels-out.txt");
        Ok({"export", plan, "--item", "levels", "-o", export_});
        EXPECT_NE(ReadAll(export_).find("5\t6\t7\t"), std::string::npos);
        const std::string code = Path("code-out.txt");
        Ok({"export", plan, "--item", "code", "-o", code});
        EXPECT_NE(ReadAll(code).find(" " + std::to_string(b.Runs) + " 3\n"), std::string::npos);
    }

    // A generator with a model named on the command line.
    Ok({"new", "--generator", "Полный факторный эксперимент 2^2", "--model",
        "Полная квадратичная модель, k = 2", "--repeats", "2", "-o", Path("g.mpl")});
    const TProcessResult tooMany = Orvan({"analyze", Path("g.mpl")});
    // Six terms on four runs: the information matrix is singular.
    EXPECT_EQ(tooMany.ExitCode, 1);
    EXPECT_NE(tooMany.Err.find("вырождена"), std::string::npos) << tooMany.Err;

    // The text output of the analysis ends with the status.
    const std::string plan = QuadraticPlan();
    EXPECT_NE(Ok({"analyze", plan}).find("Проведен полный анализ."), std::string::npos);

    // Natural abscissae: factor 1 around 10 with interval 2.
    Ok({"set", plan, "--levels", "10,20", "--intervals", "2,5"});
    Ok({"diagram", plan, "--factor", "1", "--from", "8", "--to", "12", "--points", "3",
        "--all-coords", "--natural", "-o", Path("n.txt")});
    const std::string n = ReadAll(Path("n.txt"));
    EXPECT_EQ(n.substr(0, 2), "8\t");
    EXPECT_NE(n.find("\n12\t"), std::string::npos);
}

// `orvan plot` draws without any display: the drawing program beside the
// batch tool must pick its platform itself.
TEST_F(CliTest, PlotWritesEveryPictureWithoutADisplay) {
    ::unsetenv("DISPLAY");
    ::unsetenv("QT_QPA_PLATFORM");
    ASSERT_EQ(std::getenv("DISPLAY"), nullptr);
    ASSERT_EQ(std::getenv("QT_QPA_PLATFORM"), nullptr);
    const std::string ccr = QuadraticPlan();
    Ok({"set", ccr, "--levels", "10,20", "--intervals", "2,5"});
    const std::string blend = Path("blend.mpl"), lenth = Path("lenth.mpl");
    WriteAll(blend, ReadAll(std::string(ORVAN_TEST_DATA) + "/../../examples/simplex32-blend.mpl"));
    WriteAll(lenth, ReadAll(std::string(ORVAN_TEST_DATA) + "/statistics/ffe4-lenth.mpl"));
    const std::string png = "\x89PNG\r\n\x1a\n";
    // A plan before any response: its prediction variance alone.
    const std::string fresh = Path("fresh.mpl");
    Ok({"new", "--builtin", "ccr", "--factors", "2", "--repeats", "2", "-o", fresh});
    struct {
        std::string Plan;
        const char* Kind;
        const char* File;
        std::vector<std::string> Size;
        std::string Magic;
        std::uint32_t Width, Height;
    } const cases[] = {
        {ccr, "contour", "c.svg", {}, "<svg", 0, 0},
        {blend, "ternary", "t.png", {}, png, 800, 600},
        {ccr, "residuals", "r.png", {"--width", "640", "--height", "480"}, png, 640, 480},
        {lenth, "pareto", "p.pdf", {}, "%PDF-", 0, 0},
        {lenth, "halfnormal", "h.png", {"--width", "300", "--height", "200"}, png, 300, 200},
        {ccr, "interaction", "i.svg", {"--coded"}, "<svg", 0, 0},
        {ccr, "trace", "tr.pdf", {}, "%PDF-", 0, 0},
        {fresh, "fds", "f.svg", {}, "<svg", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Kind);
        std::vector<std::string> arguments{"plot", c.Plan, c.Kind, "-o", Path(c.File)};
        arguments.insert(arguments.end(), c.Size.begin(), c.Size.end());
        const TProcessResult r = Orvan(arguments);
        ASSERT_EQ(r.ExitCode, 0) << r.Err;
        EXPECT_EQ(r.Err, "");
        const std::string bytes = ReadAll(Path(c.File));
        // An SVG drawing opens with the XML declaration first.
        EXPECT_NE(bytes.substr(0, 80).find(c.Magic), std::string::npos);
        if (c.Magic != png)
            continue;
        // IHDR: width and height as big-endian words at bytes 16 and 20.
        const auto word = [&](std::size_t at) {
            std::uint32_t value = 0;
            for (std::size_t k = 0; k < 4; ++k)
                value = value << 8 | static_cast<unsigned char>(bytes.at(at + k));
            return value;
        };
        EXPECT_EQ(word(16), c.Width);
        EXPECT_EQ(word(20), c.Height);
    }
}

TEST_F(CliTest, PlotRefusalsAndFailedWritesKeepTheOldFile) {
    const std::string plan = QuadraticPlan();
    const std::string old = Path("old.svg");
    WriteAll(old, "old picture");
    ::mkdir(Path("folder.svg").c_str(), 0755);
    WriteAll(Path("folder.svg/inside"), "kept");
    struct {
        const char* Case;
        std::vector<std::string> Arguments;
        int Exit;
        const char* Message;
    } const cases[] = {
        {"an unknown kind", {"spiral", "-o", old}, 2, "вид графика"},
        {"--data for another kind", {"pareto", "--data", "-o", old}, 2, "--data"},
        {"an unknown extension", {"contour", "-o", Path("c.bmp")}, 2, ".svg, .png или .pdf"},
        {"a ternary plot of a plan that is no mixture", {"ternary", "-o", old}, 1, "смеси"},
        {"both units", {"contour", "--natural", "--coded", "-o", old}, 2, "исключают"},
        {"a picture onto a folder", {"contour", "-o", Path("folder.svg")}, 1, "folder.svg"},
        {"the lines onto a folder", {"contour", "--data", "-o", Path("folder.svg")}, 1, "folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        std::vector<std::string> arguments{"plot", plan};
        arguments.insert(arguments.end(), c.Arguments.begin(), c.Arguments.end());
        const TProcessResult r = Orvan(arguments);
        EXPECT_EQ(r.ExitCode, c.Exit);
        EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    }
    EXPECT_EQ(ReadAll(old), "old picture");
    EXPECT_EQ(ReadAll(Path("folder.svg/inside")), "kept");
    EXPECT_NE(::access(Path("c.bmp").c_str(), F_OK), 0);
    // A write that fails half-way (the file size limit, which the programs
    // inherit; it stops the superuser too) leaves the old file and no
    // temporary beside it.
    const std::string text = Path("old.txt");
    WriteAll(text, "old lines");
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{4096, limit.rlim_max};
    const auto signal = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const int picture = Orvan({"plot", plan, "contour", "-o", old}).ExitCode;
    const int lines = Orvan({"plot", plan, "contour", "--data", "-o", text}).ExitCode;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, signal);
    EXPECT_EQ(picture, 1);
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(ReadAll(old), "old picture");
    EXPECT_EQ(ReadAll(text), "old lines");
    // ccr.mpl, y.txt, old.svg, folder.svg, old.txt
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder), {}), 5);
}

// The level lines as text: "level x y x y ...", a point for the decimal
// separator, a ring closed by its first point; every point on its level of
// the fitted equation to the accuracy of linear interpolation on the grid.
TEST_F(CliTest, PlotDataGivesTheLevelLinesOfTheFittedEquation) {
    const std::string plan = QuadraticPlan();
    Ok({"set", plan, "--levels", "10,20", "--intervals", "2,5"});
    for (const char* units : {"--natural", "--coded"}) {
        SCOPED_TRACE(units);
        Ok({"plot", plan, "contour", units, "--data", "-o", Path("lines.txt")});
        const std::string text = ReadAll(Path("lines.txt"));
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.find(','), std::string::npos);
        std::vector<std::pair<double, std::vector<double>>> lines;
        std::istringstream rows(text);
        for (std::string row; std::getline(rows, row);) {
            std::istringstream numbers(row);
            double level = 0.0;
            numbers >> level;
            std::vector<double> xy{std::istream_iterator<double>(numbers), {}};
            ASSERT_TRUE(numbers.eof()) << row;
            ASSERT_TRUE(xy.size() >= 4 && xy.size() % 2 == 0) << row;
            lines.emplace_back(level, std::move(xy));
        }
        // The minimum of the quadratic lies inside: rings around it.
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const auto& line) {
            const std::vector<double>& xy = line.second;
            return xy[0] == xy[xy.size() - 2] && xy[1] == xy.back();
        }));
        const auto [low, high] =
            std::minmax_element(lines.begin(), lines.end(),
                                [](const auto& a, const auto& b) { return a.first < b.first; });
        const double tolerance = 1e-3 * (high->first - low->first);
        for (const auto& [level, xy] : lines) {
            for (const std::size_t k : {std::size_t(0), xy.size() / 4 * 2}) {
                std::ostringstream at;
                at.precision(17);
                at << xy[k] << "," << xy[k + 1];
                std::vector<std::string> predict{"predict", plan, "--at", at.str(), "--json"};
                if (std::string(units) == "--natural")
                    predict.push_back(units);
                EXPECT_NEAR(Json(predict)["value"].get<double>(), level, tolerance) << at.str();
            }
        }
    }
}

// The usage in the README is the tool's own.
TEST_F(CliTest, ReadmeShowsTheUsageOfTheTool) {
    const std::string readme = ReadAll(std::string(ORVAN_TEST_DATA) + "/../../README.md");
    const std::size_t from = readme.find("```text\nИспользование:\n");
    ASSERT_NE(from, std::string::npos);
    const std::size_t begin = readme.find('\n', from) + 1;
    EXPECT_EQ(readme.substr(begin, readme.find("```\n", begin) - begin), Ok({"--help"}));
}

TEST_F(CliTest, DOptimalPlanOfAConstrainedRegion) {
    const auto make = [&](const std::string& plan) {
        return Ok({"new",         "--custom",
                   "--factors",   "2",
                   "--runs",      "8",
                   "--model",     "Полная квадратичная модель, k = 2",
                   "--repeats",   "2",
                   "--d-optimal", "--seed",
                   "5",           "--lower",
                   "-1,0",        "--constraint",
                   "1,1<=0.5",    "--constraint",
                   "-1,1<=0.8",   "-o",
                   plan});
    };
    EXPECT_NE(make(Path("a.mpl")).find("D-оптимальный план: D-эффективность "), std::string::npos);
    make(Path("b.mpl"));
    Ok({"export", Path("a.mpl"), "--item", "code", "-o", Path("a.txt")});
    Ok({"export", Path("b.mpl"), "--item", "code", "-o", Path("b.txt")});
    // The same seed, the same plan; every run within both restrictions.
    EXPECT_EQ(ReadAll(Path("a.txt")), ReadAll(Path("b.txt")));
    std::istringstream code(ReadAll(Path("a.txt")));
    std::string header;
    std::getline(code, header);
    double x1 = 0, x2 = 0;
    int runs = 0;
    for (; code >> x1 >> x2; ++runs) {
        EXPECT_GE(x2, 0.0);
        EXPECT_LE(x1 + x2, 0.5 + 1e-9);
        EXPECT_LE(x2 - x1, 0.8 + 1e-9);
    }
    EXPECT_EQ(runs, 8);

    const TProcessResult few = Orvan({"new", "--custom", "--factors", "2", "--runs", "5", "--model",
                                      "Полная квадратичная модель, k = 2", "--repeats", "1",
                                      "--d-optimal", "-o", Path("few.mpl")});
    EXPECT_EQ(few.ExitCode, 1);
    EXPECT_NE(few.Err.find("Число опытов N = 5 меньше числа слагаемых модели p = 6: "
                           "D-оптимальный план не существует."),
              std::string::npos)
        << few.Err;
    EXPECT_NE(::access(Path("few.mpl").c_str(), F_OK), 0);
    EXPECT_EQ(Orvan({"new", "--custom", "--factors", "2", "--runs", "6", "--addens", "1,x1",
                     "--repeats", "1", "--seed", "1", "-o", Path("s.mpl")})
                  .ExitCode,
              2);
}
