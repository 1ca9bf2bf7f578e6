// The plug-in host against small plug-ins built for it: load order and
// captions, the tools' answers, the libraries it refuses with their exact
// messages, the limits of both tables and the plan object every library gets.

#include "services/PlugIns.h"

#include "ScriptedHost.h"

#include <orvanta/plugin.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <dlfcn.h>

using namespace orvanta;
using namespace orvanta::test;

namespace {

const std::string PlugInsDir = ORVAN_TEST_PLUGINS_DIR;
const std::string Set = PlugInsDir + "/set";
const std::string One = Set + "/a_one.so";
const std::string Two = Set + "/b_two.so";
const std::string Many = PlugInsDir + "/many/many.so";
const std::string Server = PlugInsDir + "/server/server.so";

// Whether the library is in the process now, without loading it.
bool IsLoaded(const std::string& path) {
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (library)
        ::dlclose(library);
    return library != nullptr;
}

// A variable a loaded test plug-in exports; valid while the host keeps it.
template <class T> const T* Exported(const std::string& path, const char* name) {
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!library)
        return nullptr;
    const auto* value = static_cast<const T*>(::dlsym(library, name));
    ::dlclose(library);
    return value;
}

std::vector<std::string> ToolNames(const TPlugIns& host) {
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < host.ToolCount(); ++i)
        names.push_back(host.ToolName(i));
    return names;
}

class PlugInsTest : public ::testing::Test {
protected:
    TScriptedHost Host;
    TMessageHostScope Scope{Host};
};

} // namespace

TEST_F(PlugInsTest, LoadsAFolderInNameOrderAndReportsEveryFailure) {
    TPlugIns plugIns(nullptr);
    std::vector<std::string> status;
    EXPECT_EQ(plugIns.LoadFolder(Set, [&](const std::string& s) { status.push_back(s); }), 3);

    EXPECT_EQ(status, (std::vector<std::string>{"Дополнение: " + Set + "/a_one.so",
                                                "Дополнение: " + Set + "/b_two.so",
                                                "Дополнение: " + Set + "/c_broken.so",
                                                "Дополнение: " + Set + "/d_noserver.so",
                                                "Дополнение: " + Set + "/e_noenumerate.so"}));
    // Library order, then each library's own order; not sorted by caption.
    EXPECT_EQ(ToolNames(plugIns), (std::vector<std::string>{"Первый", "Второй", "Третий"}));
    EXPECT_EQ(plugIns.LibraryCount(), 2);
    const std::vector<TMessageRecord> expected = {
        {TMessageKind::Error, "Ошибка загрузки дополнения \"" + Set + "/c_broken.so\"."},
        {TMessageKind::Error, "Ошибка загрузки дополнения \"" + Set +
                                  "/d_noserver.so\":\nне найдена точка входа в процедуру "
                                  "\"SetMainServer()\"."},
        {TMessageKind::Error, "Ошибка загрузки дополнений \"" + Set +
                                  "/e_noenumerate.so\":\nне найдена точка входа в процедуру "
                                  "\"PlugInsEnumerate()\"."},
    };
    EXPECT_EQ(Host.Messages, expected);
}

TEST_F(PlugInsTest, RefusesALibraryWithoutAnEntryPointBeforeAskingForTools) {
    struct TCase {
        std::string File;
        std::string Message;
    };
    const std::vector<TCase> cases = {
        {"c_broken.so", "Ошибка загрузки дополнения \"" + Set + "/c_broken.so\"."},
        {"d_noserver.so", "Ошибка загрузки дополнения \"" + Set +
                              "/d_noserver.so\":\nне найдена точка входа в процедуру "
                              "\"SetMainServer()\"."},
        {"e_noenumerate.so", "Ошибка загрузки дополнений \"" + Set +
                                 "/e_noenumerate.so\":\nне найдена точка входа в процедуру "
                                 "\"PlugInsEnumerate()\"."},
        {"missing.so", "Ошибка загрузки дополнения \"" + Set + "/missing.so\"."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.File);
        Host.ClearRecords();
        TPlugIns plugIns(nullptr);
        EXPECT_FALSE(plugIns.LoadPlugIn(Set + "/" + c.File));
        EXPECT_EQ(Host.Messages, (std::vector<TMessageRecord>{{TMessageKind::Error, c.Message}}));
        // d_noserver offers a tool: it must not have been asked.
        EXPECT_EQ(plugIns.ToolCount(), 0);
        EXPECT_EQ(plugIns.LibraryCount(), 0);
        EXPECT_FALSE(IsLoaded(Set + "/" + c.File));
    }
}

TEST_F(PlugInsTest, ToolsAnswerThroughTheirLibraries) {
    TPlugIns plugIns(nullptr);
    ASSERT_TRUE(plugIns.LoadPlugIn(One));
    ASSERT_TRUE(plugIns.LoadPlugIn(Two));
    ASSERT_EQ(plugIns.ToolCount(), 3);

    // Any non-zero answer enables the item.
    const std::vector<bool> enabled = {true, false, true};
    for (std::int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(plugIns.ToolEnabled(i), enabled[static_cast<std::size_t>(i)]) << i;

    plugIns.RunTool(2);
    plugIns.RunTool(2);
    plugIns.RunTool(0);
    plugIns.RunTool(3);
    const auto* oneRuns = Exported<std::int32_t>(One, "ToolRuns");
    const auto* twoRuns = Exported<std::int32_t>(Two, "ToolRuns");
    ASSERT_NE(oneRuns, nullptr);
    ASSERT_NE(twoRuns, nullptr);
    EXPECT_EQ(oneRuns[0], 1);
    EXPECT_EQ(twoRuns[0], 0);
    EXPECT_EQ(twoRuns[1], 2);

    // The table hands out the plug-in's own objects, captions in its bytes.
    const OrvTool* first = plugIns.Tool(0);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->Table->GetName(const_cast<OrvTool*>(first)), "\xcf\xe5\xf0\xe2\xfb\xe9");
    for (std::int32_t outside : {-1, 3, 256}) {
        EXPECT_EQ(plugIns.Tool(outside), nullptr) << outside;
        EXPECT_EQ(plugIns.ToolName(outside), "") << outside;
        EXPECT_FALSE(plugIns.ToolEnabled(outside)) << outside;
    }
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(PlugInsTest, RefusesThe257thToolAndLoadsNothingMore) {
    TPlugIns plugIns(nullptr);
    ASSERT_TRUE(plugIns.LoadPlugIn(Many));
    EXPECT_EQ(plugIns.ToolCount(), 256);
    EXPECT_EQ(plugIns.ToolName(255), "t255");
    EXPECT_EQ(plugIns.Tool(256), nullptr);

    const auto* answers = Exported<std::int32_t>(Many, "ManyAnswers");
    ASSERT_NE(answers, nullptr);
    std::vector<std::int32_t> expected(300, 0);
    std::fill(expected.begin(), expected.begin() + 256, 1);
    EXPECT_EQ(std::vector<std::int32_t>(answers, answers + 300), expected);

    // A full tool table keeps every further library out, without a word.
    EXPECT_FALSE(plugIns.LoadPlugIn(One));
    EXPECT_FALSE(IsLoaded(One));
    EXPECT_EQ(plugIns.LoadFolder(Set), 256);
    EXPECT_FALSE(IsLoaded(Two));
    EXPECT_EQ(plugIns.LibraryCount(), 1);
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(PlugInsTest, KeepsAtMost128Libraries) {
    TPlugIns plugIns(nullptr);
    // The same file again is another library for the host.
    for (std::int32_t i = 0; i < 128; ++i)
        ASSERT_TRUE(plugIns.LoadPlugIn(One)) << i;
    EXPECT_FALSE(plugIns.LoadPlugIn(Two));
    EXPECT_FALSE(IsLoaded(Two));
    EXPECT_EQ(plugIns.LibraryCount(), 128);
    EXPECT_EQ(plugIns.ToolCount(), 128);
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(PlugInsTest, HandsEveryLibraryThePlanAfterItsTools) {
    OrvPlanService plan{nullptr};
    TPlugIns plugIns(&plan);
    ASSERT_TRUE(plugIns.LoadPlugIn(Server));
    EXPECT_EQ(plugIns.ToolCount(), 0);
    EXPECT_EQ(plugIns.LibraryCount(), 1);

    void* library = ::dlopen(Server.c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(library, nullptr);
    auto getMainServer = reinterpret_cast<OrvGetMainServerFn>(::dlsym(library, "GetMainServer"));
    ::dlclose(library);
    ASSERT_NE(getMainServer, nullptr);
    EXPECT_EQ(getMainServer(), &plan);
    const auto* calls = Exported<std::int32_t>(Server, "ServerCalls");
    const auto* atEnumerate = Exported<OrvPlanService*>(Server, "ServerAtEnumerate");
    ASSERT_NE(calls, nullptr);
    ASSERT_NE(atEnumerate, nullptr);
    EXPECT_EQ(*calls, 1);
    // Enumerated first, then given the plan.
    EXPECT_EQ(*atEnumerate, nullptr);
}

TEST_F(PlugInsTest, UnloadsTheLibrariesWithTheHost) {
    {
        TPlugIns plugIns(nullptr);
        ASSERT_TRUE(plugIns.LoadPlugIn(One));
        ASSERT_TRUE(plugIns.LoadPlugIn(One));
        EXPECT_TRUE(IsLoaded(One));
    }
    EXPECT_FALSE(IsLoaded(One));
}

TEST_F(PlugInsTest, AnEmptyOrMissingFolderGivesNoToolsAndNoMessage) {
    for (const std::string& folder : {PlugInsDir + "/empty", PlugInsDir + "/missing"}) {
        SCOPED_TRACE(folder);
        TPlugIns plugIns(nullptr);
        std::int32_t shown = 0;
        EXPECT_EQ(plugIns.LoadFolder(folder, [&](const std::string&) { ++shown; }), 0);
        EXPECT_EQ(shown, 0);
        EXPECT_EQ(plugIns.LibraryCount(), 0);
    }
    EXPECT_TRUE(Host.Messages.empty());
}
