// The math-module loader against small modules built for it: load order,
// the failures a library can have, the callbacks' answers, lookup by name
// and the start-up checks with their exact warnings.

#include "services/MathDefinition.h"
#include "services/ModuleChecks.h"

#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

using namespace orvanta;
using namespace orvanta::test;

namespace {

const std::string Modules = ORVAN_TEST_MODULES_DIR;

const char* const NoModule =
    "Не найдено ни одного внешнего модуля.\nВы сможете использовать только встроенные планы.";
const char* const NoAddens =
    "Внешние модули не содержат слагаемых.\nВы сможете использовать только встроенные планы.";
const char* const NoGenerators =
    "Внешние модули не содержат стандартных планов.\nВам придется самостоятельно определять "
    "кодовую матрицу\nили использовать встроенные планы.";

class MathDefinitionTest : public ::testing::Test {
protected:
    TScriptedHost Host;
    TMessageHostScope Scope{Host};
    TMathDefinition Registry;
};

std::vector<std::string> AddenNames(const TMathDefinition& registry) {
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < registry.AddenCount(); ++i)
        names.push_back(registry.Adden(i)->GetName());
    return names;
}

} // namespace

TEST_F(MathDefinitionTest, LoadsAFolderInNameOrderAndReportsEveryFailure) {
    std::vector<std::string> status;
    const std::string folder = Modules + "/set";
    EXPECT_EQ(Registry.LoadFolder(folder, [&](const std::string& s) { status.push_back(s); }), 3);

    EXPECT_EQ(status, (std::vector<std::string>{
                          "Модуль: " + folder + "/a_alpha.so", "Модуль: " + folder + "/b_beta.so",
                          "Модуль: " + folder + "/c_broken.so", "Модуль: " + folder + "/d_nover.so",
                          "Модуль: " + folder + "/e_nulls.so"}));
    ASSERT_EQ(Registry.ModuleCount(), 3);
    EXPECT_EQ(Registry.ModuleName(2), folder + "/e_nulls.so");
    // Module order, then the order each module reports; the library without
    // a version entry contributes nothing although it enumerates addens.
    EXPECT_EQ(AddenNames(Registry),
              (std::vector<std::string>{"1", "x1", "dup", "dup", "x2", "after-null"}));
    EXPECT_EQ(Registry.ModelCount(), 1);
    EXPECT_EQ(Registry.GenCount(), 1);

    const std::vector<TMessageRecord> expected = {
        {TMessageKind::Warning, "Ошибка загрузки внешнего модуля \"" + folder + "/c_broken.so\"."},
        {TMessageKind::Warning, "Ошибка загрузки внешнего модуля \"" + folder +
                                    "/d_nover.so\":\nне найдена точка входа в процедуру "
                                    "\"GetModuleVersionInfo()\"."},
        {TMessageKind::Error, "Внутренняя ошибка: EnumAddenProc: Adden = nil"},
        {TMessageKind::Error, "Внутренняя ошибка: EnumModelProc: Model = nil"},
        {TMessageKind::Error, "Внутренняя ошибка: EnumGenProc: Generator = nil"},
    };
    EXPECT_EQ(Host.Messages, expected);

    // The module was told which objects were refused and which taken.
    void* nulls = ::dlopen((folder + "/e_nulls.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(nulls, nullptr);
    const auto* answers = static_cast<const std::int32_t*>(::dlsym(nulls, "NullsAnswers"));
    ASSERT_NE(answers, nullptr);
    EXPECT_EQ((std::vector<std::int32_t>(answers, answers + 4)),
              (std::vector<std::int32_t>{0, 0, 0, 1}));
    ::dlclose(nulls);
}

TEST_F(MathDefinitionTest, ObjectsAnswerThroughTheirModules) {
    ASSERT_EQ(Registry.LoadFolder(Modules + "/set"), 3);
    // A repeated name finds the object of the module loaded first.
    const std::int32_t dup = Registry.AddenByName("dup");
    ASSERT_EQ(dup, 2);
    const double x[] = {3.0, 5.0};
    EXPECT_EQ(Registry.Adden(dup)->Evaluate(x), 10.0);
    EXPECT_EQ(Registry.Adden(4)->Evaluate(x), 5.0);
    EXPECT_EQ(Registry.AddenByName("DUP"), -1);
    EXPECT_EQ(Registry.AddenByName("orphan"), -1);

    // Windows-1251 names arrive as UTF-8.
    ASSERT_EQ(Registry.ModelByName("Линейная"), 0);
    ASSERT_EQ(Registry.GenByName("План A"), 0);
    const TGenerator* generator = Registry.Generator(0);
    std::int32_t n = 0;
    std::int32_t k = 0;
    generator->GetSize(n, k);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(k, 1);
    const TModel* model = generator->DefaultModel();
    ASSERT_EQ(model, Registry.Model(0));
    EXPECT_EQ(model->AddenCount(), 2);
    // Terms handed out by a model are the registry's own wrappers.
    EXPECT_EQ(model->GetAdden(1), Registry.Adden(1));
    const double b[] = {2.0, 3.0};
    EXPECT_EQ(model->Evaluate(x, b), 11.0);
}

TEST_F(MathDefinitionTest, IndexPastTheEndGivesTheFirstObjectAndAnError) {
    ASSERT_EQ(Registry.LoadFolder(Modules + "/set"), 3);
    Host.ClearRecords();
    EXPECT_EQ(Registry.Adden(6), Registry.Adden(0));
    EXPECT_EQ(Registry.Model(1), Registry.Model(0));
    EXPECT_EQ(Registry.Generator(-1), Registry.Generator(0));
    EXPECT_EQ(Host.MessageTexts(),
              (std::vector<std::string>{"Внутренняя ошибка: Index > _Addens.Count",
                                        "Внутренняя ошибка: Index > _Models.Count",
                                        "Внутренняя ошибка: Index > _Generators.Count"}));
    Registry.Clear();
    EXPECT_EQ(Registry.AddenCount(), 0);
    EXPECT_EQ(Registry.ModuleCount(), 0);
    EXPECT_EQ(Registry.Adden(0), nullptr);
}

TEST_F(MathDefinitionTest, StartUpChecksNameWhatIsMissing) {
    struct {
        const char* Folder;
        std::int32_t Modules;
        std::vector<std::string> Messages;
        bool Generator, NonStandard, Builtin;
    } const cases[] = {
        {"missing", 0, {NoModule}, false, false, true},
        {"empty", 0, {NoModule}, false, false, true},
        {"bare", 1, {NoAddens}, false, false, true},
        {"only-addens", 1, {NoGenerators}, false, true, false},
        {"set", 3, {}, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Folder);
        TMathDefinition registry;
        EXPECT_EQ(registry.LoadFolder(Modules + "/" + c.Folder), c.Modules);
        Host.ClearRecords();
        const TWizardChoices choices = CheckLoadedModules(registry);
        EXPECT_EQ(Host.MessageTexts(), c.Messages);
        EXPECT_EQ(choices.GeneratorAllowed, c.Generator);
        EXPECT_EQ(choices.NonStandardAllowed, c.NonStandard);
        EXPECT_EQ(choices.SelectBuiltin, c.Builtin);
    }
}
