// The report's rich-text form and the names "Сохранить как ..." writes to.
#include "dialogs/ReportFileLogic.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(ReportRtf, WritesCyrillicAsCodePageBytesWithTheFontAndColour) {
    TRtfStyle style;
    style.FaceName = "Courier New";
    style.PointSize = 10.5;
    style.Bold = true;
    style.TextColor = 0x00402010; // red 0x10, green 0x20, blue 0x40
    const std::string rtf = ReportToRtf("Отчет {1}\\\n\tb = 2", style);
    EXPECT_EQ(rtf, "{\\rtf1\\ansi\\ansicpg1251\\deff0\n"
                   "{\\fonttbl{\\f0\\fmodern\\fcharset204 Courier New;}}\n"
                   "{\\colortbl;\\red16\\green32\\blue64;}\n"
                   "\\pard\\plain\\f0\\fs21\\cf1\\b "
                   "\\'ce\\'f2\\'f7\\'e5\\'f2 \\{1\\}\\\\\\par\n\\tab b = 2\n}\n");
}

TEST(ReportRtf, BracesOfTheDocumentBalanceForAnyText) {
    const char* texts[] = {"", "}}}", "{{", "a\r\nb\r\n", "\\{\\}"};
    for (const char* text : texts) {
        const std::string rtf = ReportToRtf(text, TRtfStyle());
        int depth = 0;
        for (std::size_t i = 0; i < rtf.size(); ++i) {
            if (rtf[i] == '\\') {
                ++i;
                continue;
            }
            depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
            ASSERT_GE(depth, 0) << text;
        }
        EXPECT_EQ(depth, 0) << text;
        EXPECT_EQ(rtf.find('\r'), std::string::npos) << text;
    }
}

TEST(ReportFile, NamesFollowTheFilterAndTheExactExtension) {
    struct TCase {
        const char* Chosen;
        bool FirstFilter;
        const char* Path;
        const char* Base;
        bool Plain;
    };
    const TCase cases[] = {
        {"/home/lab/report", true, "/home/lab/report.rtf", "report", false},
        {"/home/lab/report", false, "/home/lab/report.txt", "report", true},
        {"/home/lab/REPORT.RTF", true, "/home/lab/REPORT.RTF", "REPORT", true},
        {"/home/lab/report.rtf", false, "/home/lab/report.rtf", "report", false},
        {"/home/lab/run.1.txt", true, "/home/lab/run.1.txt", "run.1", true},
        {"/home/lab/draft.", true, "/home/lab/draft.rtf", "draft", false},
        {"notes", false, "notes.txt", "notes", true},
    };
    for (const TCase& c : cases) {
        const TReportFile file = ReportFileFor(c.Chosen, c.FirstFilter);
        EXPECT_EQ(file.Path, c.Path) << c.Chosen;
        EXPECT_EQ(file.BaseName, c.Base) << c.Chosen;
        EXPECT_EQ(file.PlainText, c.Plain) << c.Chosen;
    }
}

} // namespace
} // namespace orvanta
