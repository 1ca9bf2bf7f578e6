#pragma once

#include "numeric/MessageHost.h"

#include <string>

namespace orvanta {

// The program's message boxes (caption "Орванта").
void ShowInfo(const std::string& text);
void ShowWarning(const std::string& text);
void ShowError(const std::string& text);
// True for Yes.
bool AskYesNo(const std::string& text);
TAnswer AskYesNoCancel(const std::string& text);

} // namespace orvanta
