#include "numeric/Messages.h"

namespace orvanta {

void ShowInfo(const std::string& text) {
    CurrentMessageHost().ShowMessage(TMessageKind::Info, text);
}

void ShowWarning(const std::string& text) {
    CurrentMessageHost().ShowMessage(TMessageKind::Warning, text);
}

void ShowError(const std::string& text) {
    CurrentMessageHost().ShowMessage(TMessageKind::Error, text);
}

bool AskYesNo(const std::string& text) {
    return CurrentMessageHost().AskYesNo(text) == TAnswer::Yes;
}

TAnswer AskYesNoCancel(const std::string& text) {
    return CurrentMessageHost().AskYesNoCancel(text);
}

} // namespace orvanta
