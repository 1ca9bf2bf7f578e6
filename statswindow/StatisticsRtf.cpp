#include "statswindow/StatisticsRtf.h"

#include "dialogs/ReportFileLogic.h"

#include <algorithm>

namespace orvanta {

namespace {

// Twips per cell: the first column holds names, the others figures.
constexpr int NameWidth = 2600;
constexpr int FigureWidth = 1500;

void Paragraph(std::string& rtf, const std::string& text, bool bold = false) {
    rtf += "\\pard\\plain\\f0\\fs20";
    rtf += bold ? "\\b " : " ";
    rtf += RtfText(text);
    rtf += "\\par\n";
}

void Row(std::string& rtf, const std::vector<std::string>& cells, bool header, bool marked) {
    rtf += "\\trowd\\trgaph70";
    int right = 0;
    for (std::size_t j = 0; j < cells.size(); ++j) {
        right += j == 0 ? NameWidth : FigureWidth;
        rtf += "\\clbrdrt\\brdrs\\clbrdrb\\brdrs\\clbrdrl\\brdrs\\clbrdrr\\brdrs";
        if (marked)
            rtf += "\\clcbpat2";
        rtf += "\\cellx" + std::to_string(right);
    }
    rtf += "\n";
    for (const std::string& cell : cells) {
        rtf += "\\pard\\intbl\\plain\\f0\\fs18";
        rtf += header ? "\\b " : " ";
        rtf += RtfText(cell) + "\\cell\n";
    }
    rtf += "\\row\n";
}

void Table(std::string& rtf, const TStatTable& table) {
    Row(rtf, table.Header, true, false);
    for (std::size_t i = 0; i < table.Rows.size(); ++i) {
        std::vector<std::string> cells;
        for (const TStatCell& cell : table.Rows[i])
            cells.push_back(cell.Text);
        cells.resize(std::max(cells.size(), table.Header.size()));
        Row(rtf, cells, false, i < table.Marked.size() && table.Marked[i]);
    }
    rtf += "\\pard\\par\n";
}

} // namespace

std::string SectionsToRtf(const std::vector<TStatSection>& sections) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0\n"
                      "{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\n"
                      "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green236\\blue179;}\n";
    for (const TStatSection& section : sections) {
        Paragraph(rtf, section.Title, true);
        for (const std::string& line : section.Above)
            Paragraph(rtf, line);
        for (const TStatTable& table : section.Tables)
            Table(rtf, table);
        for (const std::string& line : section.Below)
            Paragraph(rtf, line);
        Paragraph(rtf, "");
    }
    return rtf + "}\n";
}

} // namespace orvanta
