#include "numeric/FieldChecks.h"
#include "numeric/FileNames.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"

#include "RecordingMessageHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace orvanta;
using namespace std::string_literals;

namespace {

using TMessages = std::vector<TRecordedMessage>;

TRecordedMessage Warning(const std::string& text) {
    return {TMessageKind::Warning, text};
}

// Every test talks to a recording host and leaves the separator at the point.
class FieldChecks : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }
    void TearDown() override { SetDecimalSeparator('.'); }
    TRecordingMessageHost Host;
    TMessageHostScope Scope{Host};
};

} // namespace

TEST_F(FieldChecks, CheckRealWarnsWithTheFieldName) {
    struct Case {
        const char* text;
        char separator;
        const char* field;
        bool ok;
        double value;
        const char* warning; // null: no message
    };
    const Case cases[] = {
        {"1.5", '.', "Давление", true, 1.5, nullptr},
        {"1,5", ',', "Давление", true, 1.5, nullptr},
        {" -2e3 ", '.', "", true, -2000, nullptr},
        {"1,5", '.', "Давление", false, 0,
         "Поле \"Давление\" должно содержать действительное число."},
        {"1.5", ',', "", false, 0, "Поле должно содержать действительное число."},
        {"", '.', "X1", false, 0, "Поле \"X1\" должно содержать действительное число."},
        {"abc", '.', "", false, 0, "Поле должно содержать действительное число."},
        {"1e400", '.', "Шаг", false, 0, "Поле \"Шаг\" должно содержать действительное число."}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " with " + c.separator);
        SetDecimalSeparator(c.separator);
        Host.Messages.clear();
        double value = 99;
        EXPECT_EQ(CheckReal(c.text, value, c.field), c.ok);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(Host.Messages, c.warning ? TMessages{Warning(c.warning)} : TMessages{});
    }

    // The field name may be left out altogether.
    Host.Messages.clear();
    double value = 5;
    EXPECT_FALSE(CheckReal("x", value));
    EXPECT_EQ(Host.Messages, TMessages{Warning("Поле должно содержать действительное число.")});
}

TEST_F(FieldChecks, CheckSpinIntegerNamesTheRequirement) {
    struct Case {
        const char* text;
        std::int32_t minValue;
        std::int32_t maxValue;
        const char* field;
        bool ok;
        const char* textAfter;
        const char* warning; // null: no message
    };
    const Case cases[] = {
        {"5", 2, 10, "Повторы", true, "5", nullptr},
        {"2", 2, 10, "Повторы", true, "2", nullptr},
        {"10", 2, 10, "Повторы", true, "10", nullptr},
        {"11", 2, 10, "Повторы", false, "2",
         "Поле \"Повторы\" должно содержать\nчисло от 2 до 10."},
        {"1", 2, 10, "", false, "2", "Поле должно содержать\nчисло от 2 до 10."},
        {"abc", 2, 10, "", false, "2", "Поле должно содержать\nчисло от 2 до 10."},
        {"3.5", 2, 10, "k", false, "2", "Поле \"k\" должно содержать\nчисло от 2 до 10."},
        {"", -5, 5, "k", false, "-5", "Поле \"k\" должно содержать\nчисло от -5 до 5."},
        {"-100000", 0, 0, "Шаг", true, "-100000", nullptr},
        {"7", 3, 3, "", true, "7", nullptr},
        {"1.5", 0, 0, "Шаг", false, "1.5", "Поле \"Шаг\" должно содержать\nцелое число"},
        {"2147483648", 0, 0, "", false, "2147483648", "Поле должно содержать\nцелое число"},
        {"", 0, 0, "", false, "", "Поле должно содержать\nцелое число"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in " + std::to_string(c.minValue) + ".." +
                     std::to_string(c.maxValue));
        Host.Messages.clear();
        TSpinField field{c.text, c.minValue, c.maxValue};
        EXPECT_EQ(CheckSpinInteger(field, c.field), c.ok);
        EXPECT_EQ(field.Text, c.textAfter);
        EXPECT_EQ(Host.Messages, c.warning ? TMessages{Warning(c.warning)} : TMessages{});
    }
}

TEST_F(FieldChecks, SpinValueOrDefaultNeverWarns) {
    struct Case {
        const char* text;
        std::int32_t minValue;
        std::int32_t maxValue;
        std::int32_t value;
    };
    const Case cases[] = {{"5", 2, 10, 5},  {"11", 2, 10, 2}, {"abc", 2, 10, 2},
                          {"", -5, 5, -5},  {"", 0, 0, 0},    {"-3", 0, 0, -3},
                          {"1.5", 0, 0, 0}, {"7", 3, 3, 7},   {"x", 3, 3, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SpinValueOrDefault(TSpinField{c.text, c.minValue, c.maxValue}), c.value);
    }
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(FieldChecks, RealTextOrZero) {
    struct Case {
        const char* text;
        char separator;
        const char* result;
    };
    const Case cases[] = {{"1.5", '.', "1.5"}, {" 2 ", '.', " 2 "}, {"-1e-3", '.', "-1e-3"},
                          {"abc", '.', "0"},   {"", '.', "0"},      {"1,5", '.', "0"},
                          {"1,5", ',', "1,5"}, {"1.5", ',', "0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " with " + c.separator);
        SetDecimalSeparator(c.separator);
        EXPECT_EQ(RealTextOrZero(c.text), c.result);
    }
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(FieldChecks, InputDialogsAskTheHost) {
    using TRequest = TRecordingMessageHost::TInputRequest;

    Host.StringAnswers = {"Новое имя", std::nullopt};
    std::string text = "старое";
    EXPECT_TRUE(InputString(text, "Y1", "Имя отклика"));
    EXPECT_EQ(text, "Новое имя");
    EXPECT_FALSE(InputString(text, "Y2"));
    EXPECT_EQ(Host.StringInputs, (std::vector<TRequest>{{"Y1", "Имя отклика"}, {"Y2", ""}}));

    Host.RealAnswers = {2.5, std::nullopt};
    double value = 7;
    EXPECT_TRUE(InputReal(value, "1,0", "Шаг"));
    EXPECT_EQ(value, 2.5);
    value = 7;
    EXPECT_FALSE(InputReal(value, "3"));
    EXPECT_EQ(value, 0);
    EXPECT_EQ(Host.RealInputs, (std::vector<TRequest>{{"1,0", "Шаг"}, {"3", ""}}));
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(FieldChecks, MessageHelpersCallTheHost) {
    ShowInfo("Проведен полный анализ.");
    ShowWarning("Поле должно содержать\nцелое число");
    ShowError("Ошибка чтения из потока.");
    EXPECT_EQ(Host.Messages,
              (TMessages{{TMessageKind::Info, "Проведен полный анализ."},
                         {TMessageKind::Warning, "Поле должно содержать\nцелое число"},
                         {TMessageKind::Error, "Ошибка чтения из потока."}}));

    Host.YesNoAnswers = {TAnswer::Yes, TAnswer::No};
    EXPECT_TRUE(AskYesNo("Сохранить план?"));
    EXPECT_FALSE(AskYesNo("Заменить файл?"));
    Host.YesNoCancelAnswers = {TAnswer::Yes, TAnswer::No, TAnswer::Cancel};
    EXPECT_EQ(AskYesNoCancel("a"), TAnswer::Yes);
    EXPECT_EQ(AskYesNoCancel("b"), TAnswer::No);
    EXPECT_EQ(AskYesNoCancel("c"), TAnswer::Cancel);
    EXPECT_EQ(Host.Questions,
              (std::vector<std::string>{"Сохранить план?", "Заменить файл?", "a", "b", "c"}));
}

TEST(MessageHost, ScopesRestoreThePreviousHost) {
    TRecordingMessageHost outer;
    TRecordingMessageHost inner;
    {
        TMessageHostScope outerScope(outer);
        {
            TMessageHostScope innerScope(inner);
            EXPECT_EQ(&CurrentMessageHost(), &inner);
            ShowInfo("inner");
        }
        EXPECT_EQ(&CurrentMessageHost(), &outer);
        ShowInfo("outer");
    }
    EXPECT_NE(&CurrentMessageHost(), &outer);
    EXPECT_EQ(inner.Messages, (TMessages{{TMessageKind::Info, "inner"}}));
    EXPECT_EQ(outer.Messages, (TMessages{{TMessageKind::Info, "outer"}}));
}

TEST(MessageHost, DefaultHostWritesMessagesAndDeclinesEverything) {
    SetMessageHost(nullptr);

    testing::internal::CaptureStderr();
    ShowError("Ошибка создания файла \"x.mpl\". Извините.");
    double value = 3;
    EXPECT_FALSE(CheckReal("abc", value, "Шаг"));
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_THAT(written, testing::HasSubstr("Ошибка создания файла \"x.mpl\". Извините."));
    EXPECT_THAT(written, testing::HasSubstr("Поле \"Шаг\" должно содержать действительное число."));

    EXPECT_FALSE(AskYesNo("Сохранить план?"));
    EXPECT_EQ(AskYesNoCancel("Сохранить план?"), TAnswer::Cancel);
    std::string text = "как было";
    EXPECT_FALSE(InputString(text, "начало"));
    value = 3;
    EXPECT_FALSE(InputReal(value, "1.5"));
    EXPECT_EQ(value, 0);
}

TEST(FileNames, TrimTextRemovesControlCharactersAndBlanksOnly) {
    struct Case {
        std::string text;
        std::string trimmed;
    };
    const Case cases[] = {{"  abc  ", "abc"},
                          {"\t\r\n abc\x01\x1F", "abc"},
                          {"a b\tc", "a b\tc"},
                          {"", ""},
                          {" \t ", ""},
                          {"\0a\0"s, "a"},
                          {"!", "!"},
                          {"\x7F", "\x7F"},
                          {" Привет ", "Привет"},
                          {"Я", "Я"},
                          {"\xA0x\xA0", "\xA0x\xA0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(TrimText(c.text), c.trimmed);
    }
}

TEST(FileNames, SplitFileNameTakesTheExtensionFromTheNameOnly) {
    struct Case {
        const char* path;
        TFileNameParts parts;
    };
    const Case cases[] = {{"/home/u/plan.mpl", {"/home/u/", "plan", "mpl"}},
                          {"plan.mpl", {"", "plan", "mpl"}},
                          {"plan", {"", "plan", ""}},
                          {"/home/u.v/plan", {"/home/u.v/", "plan", ""}},
                          {"./plan", {"./", "plan", ""}},
                          {"/a/b.tar.gz", {"/a/", "b.tar", "gz"}},
                          {"/a/b.", {"/a/", "b", ""}},
                          {"/", {"/", "", ""}},
                          {"dir/", {"dir/", "", ""}},
                          {"", {"", "", ""}},
                          {"/данные/опыт 1.mpl", {"/данные/", "опыт 1", "mpl"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const TFileNameParts parts = SplitFileName(c.path);
        EXPECT_EQ(parts.Folder, c.parts.Folder);
        EXPECT_EQ(parts.Name, c.parts.Name);
        EXPECT_EQ(parts.Extension, c.parts.Extension);
    }
}

TEST(FileNames, JoinFileNameAddsTheMissingSeparators) {
    struct Case {
        const char* folder;
        const char* name;
        const char* extension;
        const char* path;
    };
    const Case cases[] = {{"/a/", "b", "txt", "/a/b.txt"},
                          {"/a", "b", "txt", "/a/b.txt"},
                          {"/a/", "b", ".txt", "/a/b.txt"},
                          {"/данные", "опыт 1", "mpl", "/данные/опыт 1.mpl"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(JoinFileName(c.folder, c.name, c.extension), c.path);
    }

    for (const char* path : {"/home/u/plan.mpl", "/a/b.tar.gz", "/home/u.v/x.y", "rel/dir/f.txt"}) {
        const TFileNameParts parts = SplitFileName(path);
        EXPECT_EQ(JoinFileName(parts.Folder, parts.Name, parts.Extension), path);
    }
}
