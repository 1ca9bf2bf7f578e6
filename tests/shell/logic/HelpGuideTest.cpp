// The user guide in help/: every command of the main window is described,
// every page is reachable by the help window, and no link or picture of a
// page points at nothing.
#include "shell/MainActions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using orvanta::CommandTable;
using orvanta::MenuTable;

const fs::path HelpDir{ORVAN_HELP_DIR};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every page of the guide, by file name.
std::map<std::string, std::string> Pages() {
    std::map<std::string, std::string> pages;
    for (const auto& entry : fs::directory_iterator(HelpDir))
        if (entry.path().extension() == ".html" || entry.path().extension() == ".htm")
            pages[entry.path().filename().string()] = ReadFile(entry.path());
    return pages;
}

// The text a reader sees: tags dropped, the entities the pages use decoded.
std::string VisibleText(const std::string& html) {
    std::string text = std::regex_replace(html, std::regex("<[^>]*>"), " ");
    for (const auto& [entity, plain] : std::vector<std::pair<std::string, std::string>>{
             {"&lt;", "<"}, {"&gt;", ">"}, {"&nbsp;", " "}, {"&quot;", "\""}, {"&amp;", "&"}}) {
        for (auto at = text.find(entity); at != std::string::npos; at = text.find(entity, at))
            text.replace(at, entity.size(), plain);
    }
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

// A caption as the guide names it: without the accelerator mark and the
// trailing dots that announce a dialog.
std::string Plain(std::string caption) {
    std::erase(caption, '&');
    for (const std::string tail : {" ...", "..."})
        if (caption.ends_with(tail))
            caption.erase(caption.size() - tail.size());
    return caption;
}

TEST(HelpGuide, PlainCaptionsDropMarksAndDots) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"&Новый ...", "Новый"},
        {"Распределение Пи&рсона...", "Распределение Пирсона"},
        {"Сброс кодовой &матрицы", "Сброс кодовой матрицы"},
        {"&Встроенный план / All ...", "Встроенный план / All"},
    };
    for (const auto& [caption, plain] : cases)
        EXPECT_EQ(Plain(caption), plain) << caption;
}

TEST(HelpGuide, EveryCommandAndMenuIsDescribed) {
    std::string guide;
    for (const auto& [name, html] : Pages())
        guide += VisibleText(html);
    for (const auto& command : CommandTable()) {
        EXPECT_NE(guide.find(Plain(command.Caption)), std::string::npos)
            << command.Item << " \"" << command.Caption << "\"";
        if (command.ButtonCaption) {
            EXPECT_NE(guide.find(command.ButtonCaption), std::string::npos) << command.Button;
        }
    }
    for (const auto& menu : MenuTable())
        EXPECT_NE(guide.find(Plain(menu.Caption)), std::string::npos) << menu.Name;
}

TEST(HelpGuide, HelpCommandsFindTheirPages) {
    // The contents and the context topics of the help menu and the about box.
    for (const char* page : {"index.html", "3102.html", "3103.html", "3104.html", "3229.html"})
        EXPECT_TRUE(fs::is_regular_file(HelpDir / page)) << page;
}

TEST(HelpGuide, PagesAreWellFormed) {
    const std::regex title("<title>[^<]*\\S[^<]*</title>");
    const std::regex charset("<meta charset=\"utf-8\">", std::regex::icase);
    for (const auto& [name, html] : Pages()) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(std::regex_search(html, title));
        EXPECT_TRUE(std::regex_search(html, charset));
        EXPECT_NE(html.find("</html>"), std::string::npos);
    }
}

// Every relative link and picture names an existing file, and a link to a
// place in a page names an anchor that page has.
TEST(HelpGuide, LinksAndPicturesResolve) {
    const auto pages = Pages();
    const std::regex reference("(href|src)=\"([^\"]*)\"");
    for (const auto& [name, html] : pages) {
        for (std::sregex_iterator it(html.begin(), html.end(), reference), end; it != end; ++it) {
            const std::string target = (*it)[2];
            SCOPED_TRACE(name + " -> " + target);
            if (target.find(':') != std::string::npos)
                continue; // a web address, opened by the desktop
            const auto hash = target.find('#');
            const std::string file = target.substr(0, hash);
            const std::string page = file.empty() ? name : file;
            ASSERT_TRUE(fs::is_regular_file(HelpDir / page));
            if (hash != std::string::npos) {
                const std::string anchor = "name=\"" + target.substr(hash + 1) + "\"";
                EXPECT_NE(ReadFile(HelpDir / page).find(anchor), std::string::npos);
            }
        }
    }
}

} // namespace
