// The example plug-in loaded by the program's plug-in host and handed the
// plan service of a plan fitted from the example module: when its tool is
// enabled, and the CSV profile it writes beside the plan.

#include "SdkPlan.h"

#include "services/PlanService.h"
#include "services/PlugIns.h"

#include "TempFolder.h"

#include <orvanta/plugin.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

using namespace orvanta;
using namespace orvanta::test;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ';');)
        fields.push_back(field);
    return fields;
}

class SdkPlugInTest : public SdkPlanTest {
protected:
    void SetUp() override {
        SdkPlanTest::SetUp();
        ASSERT_TRUE(LoadModule());
        ASSERT_EQ(PlugIns.LoadFolder(SdkDir + "/PlugIns"), 1);
    }

    // The host's RunTool drops the answer; the test wants it.
    std::int32_t Run() {
        auto* tool = const_cast<OrvTool*>(PlugIns.Tool(0));
        return tool->Table->Run(tool);
    }

    void SetLevels(double base, double interval) {
        Plan.BaseLevels.SetSize(1);
        Plan.BaseLevels.Set(0, base);
        Plan.HasBaseLevels = true;
        Plan.Intervals.SetSize(1);
        Plan.Intervals.Set(0, interval);
        Plan.HasIntervals = true;
    }

    TTempFolder Folder{"orvan-sdk"};
    TPlanService Service{Plan};
    TPlugIns PlugIns{Service.Server()};
};

} // namespace

TEST_F(SdkPlugInTest, OneToolEnabledOnlyWithCoefficientsAndAFileName) {
    EXPECT_TRUE(Host.Messages.empty());
    EXPECT_EQ(PlugIns.ToolName(0), "Профиль отклика в CSV (sdk)");
    struct TStep {
        const char* State;
        bool Create;
        bool Analyse;
        const char* FileName;
        bool Enabled;
    };
    const TStep steps[] = {
        {"no plan", false, false, "", false},
        {"plan without observations", true, false, "bend.mpl", false},
        {"fitted, never saved", true, true, "", false},
        {"fitted and named", true, true, "bend.mpl", true},
    };
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.State);
        if (step.Create) {
            ASSERT_TRUE(step.Analyse ? AnalyseBrokenLine() : NewBrokenLinePlan());
        }
        Plan.FileName = step.FileName[0] ? Folder.File(step.FileName) : "";
        EXPECT_EQ(PlugIns.ToolEnabled(0), step.Enabled);
        if (!step.Enabled) {
            EXPECT_EQ(Run(), 0);
        }
        Plan.Reset();
    }
    EXPECT_FALSE(std::filesystem::exists(Folder.File("bend-profile.csv")));
}

TEST_F(SdkPlugInTest, WritesTheFittedProfileBesideThePlan) {
    ASSERT_TRUE(AnalyseBrokenLine());
    Plan.FileName = Folder.File("bend.mpl");
    SetLevels(150.0, 20.0);
    ASSERT_EQ(Run(), 1);

    const std::vector<std::string> lines = Lines(ReadAll(Folder.File("bend-profile.csv")));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "x1;X1;y");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        const std::vector<std::string> f = Fields(lines[i]);
        ASSERT_EQ(f.size(), 3u);
        // A decimal point whatever the locale: strtod in "C" must take it all.
        char* end = nullptr;
        const double x = std::strtod(f[0].c_str(), &end);
        EXPECT_EQ(*end, '\0');
        EXPECT_NEAR(x, -1.0 + 0.2 * static_cast<double>(i - 1), 1e-12);
        EXPECT_NEAR(std::strtod(f[1].c_str(), nullptr), 150.0 + 20.0 * x, 1e-9);
        EXPECT_NEAR(std::strtod(f[2].c_str(), nullptr), 3.0 + 2.0 * x + 1.5 * std::fabs(x), 1e-9);
    }
    EXPECT_EQ(lines[6], "0;150;3");
}

// Without base levels and intervals the plan cannot convert; the plug-in must
// not write whatever its buffer held. A name without ".mpl" keeps all of it.
TEST_F(SdkPlugInTest, NaturalColumnStaysEmptyWithoutLevels) {
    ASSERT_TRUE(AnalyseBrokenLine());
    Plan.HasBaseLevels = false;
    Plan.HasIntervals = false;
    Plan.FileName = Folder.File("bend");
    ASSERT_EQ(Run(), 1);
    const std::vector<std::string> lines = Lines(ReadAll(Folder.File("bend-profile.csv")));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[8], "0.4;;4.4");
}

TEST_F(SdkPlugInTest, AFileThatCannotBeWrittenIsAFailure) {
    ASSERT_TRUE(AnalyseBrokenLine());
    Plan.FileName = Folder.File("missing/bend.mpl");
    EXPECT_EQ(Run(), 0);
    EXPECT_FALSE(std::filesystem::exists(Folder.File("missing")));
}
