#pragma once

#include "plugins/common/PluginMessage.h"

#include <orvanta/plan_service.h>

#include <string>

namespace orvanta {

// The window a tool's dialog sits over: the host's main window, or none when
// the plan is missing or does not offer one.
void* PluginOwnerWindow(OrvPlanService* plan);

// Shows a message of the tool's rules over the dialog: warnings for
// validation problems, errors for file and internal problems.
void ShowPluginMessage(void* owner, const TPluginMessage& message);

// The save-file dialog both plug-ins use for their semicolon-separated
// files. Answers the chosen path, or an empty text when the user cancelled.
std::string AskCsvFileName(void* owner, const std::string& title, const std::string& initialName);

} // namespace orvanta
