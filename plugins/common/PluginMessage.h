#pragma once

#include <string>
#include <utility>

namespace orvanta {

// A message box a plug-in dialog has to show: validation problems are
// warnings, file and internal problems errors. The text is UTF-8.
struct TPluginMessage {
    enum class TKind { Warning, Error };

    TKind Kind = TKind::Warning;
    std::string Text;

    static TPluginMessage Warning(std::string text) { return {TKind::Warning, std::move(text)}; }
    static TPluginMessage Error(std::string text) { return {TKind::Error, std::move(text)}; }
    bool operator==(const TPluginMessage&) const = default;
};

} // namespace orvanta
