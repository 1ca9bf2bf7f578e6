#pragma once

#include <cstdint>
#include <string>

namespace orvanta {

// How the report window's text is drawn when written as rich text.
struct TRtfStyle {
    std::string FaceName = "Courier";
    double PointSize = 10.0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    std::uint8_t CharSet = 204;  // Cyrillic
    std::uint32_t TextColor = 0; // 0x00BBGGRR
};

// The report as a rich-text document: one font (the style's face, with the
// Windows-1251 code page and the style's character set), one colour, the
// text's Cyrillic letters as Windows-1251 bytes, line breaks as paragraphs.
std::string ReportToRtf(const std::string& utf8Text, const TRtfStyle& style);

// UTF-8 text as the body of a rich-text document: Windows-1251 bytes, the
// control characters escaped, tabs and line breaks as their words.
std::string RtfText(const std::string& utf8Text);

// UTF-8 text as the program's plain-text files hold it: Windows-1251, lines
// ending with CR LF, as the files of the old desktop did.
std::string Cp1251Lines(const std::string& utf8Text);

// Where "Сохранить как ..."  writes the report: the chosen name split into
// folder, base name and extension (what follows the last "."); without an
// extension "rtf" for the first filter entry and "txt" for the second; plain
// text unless the extension is exactly "rtf".
struct TReportFile {
    std::string Path;
    std::string BaseName; // for the caption "Отчет - [" + base name + "]"
    bool PlainText = false;
};
TReportFile ReportFileFor(const std::string& chosen, bool firstFilterEntry);

} // namespace orvanta
