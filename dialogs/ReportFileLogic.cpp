#include "dialogs/ReportFileLogic.h"

#include "numeric/Cp1251.h"

#include <cmath>
#include <cstdio>

namespace orvanta {

namespace {

// A Windows-1251 byte as rich text: printable ASCII as is (with the three
// control characters escaped), everything else as a hexadecimal escape.
void AppendByte(std::string& rtf, unsigned char byte) {
    switch (byte) {
    case '\\':
    case '{':
    case '}':
        rtf += '\\';
        rtf += static_cast<char>(byte);
        return;
    case '\t':
        rtf += "\\tab ";
        return;
    case '\n':
        rtf += "\\par\n";
        return;
    case '\r':
        return;
    default:
        break;
    }
    if (byte >= 0x20 && byte < 0x80) {
        rtf += static_cast<char>(byte);
        return;
    }
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\'%02x", byte);
    rtf += escape;
}

void AppendText(std::string& rtf, const std::string& utf8) {
    for (unsigned char byte : Utf8ToCp1251(utf8))
        AppendByte(rtf, byte);
}

} // namespace

std::string RtfText(const std::string& utf8Text) {
    std::string rtf;
    AppendText(rtf, utf8Text);
    return rtf;
}

std::string Cp1251Lines(const std::string& utf8Text) {
    std::string bytes;
    for (char c : Utf8ToCp1251(utf8Text)) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    return bytes;
}

std::string ReportToRtf(const std::string& utf8Text, const TRtfStyle& style) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0\n{\\fonttbl{\\f0\\fmodern\\fcharset";
    rtf += std::to_string(style.CharSet);
    rtf += ' ';
    AppendText(rtf, style.FaceName);
    rtf += ";}}\n{\\colortbl;\\red" + std::to_string(style.TextColor & 0xFF) + "\\green" +
           std::to_string((style.TextColor >> 8) & 0xFF) + "\\blue" +
           std::to_string((style.TextColor >> 16) & 0xFF) + ";}\n";
    const long halfPoints = std::lround(style.PointSize * 2.0);
    rtf += "\\pard\\plain\\f0\\fs" + std::to_string(halfPoints > 0 ? halfPoints : 20) + "\\cf1";
    if (style.Bold)
        rtf += "\\b";
    if (style.Italic)
        rtf += "\\i";
    if (style.Underline)
        rtf += "\\ul";
    if (style.StrikeOut)
        rtf += "\\strike";
    rtf += ' ';
    AppendText(rtf, utf8Text);
    rtf += "\n}\n";
    return rtf;
}

TReportFile ReportFileFor(const std::string& chosen, bool firstFilterEntry) {
    const std::size_t slash = chosen.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : chosen.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    if (extension.empty())
        extension = firstFilterEntry ? "rtf" : "txt";
    TReportFile file;
    file.BaseName = base;
    file.Path = folder + base + (!base.empty() && base.back() == '.' ? "" : ".") + extension;
    file.PlainText = extension != "rtf";
    return file;
}

} // namespace orvanta
