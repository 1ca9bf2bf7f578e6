#include "plugins/common/PluginDialogSupport.h"

#include "formkit/FileSaveDialog.h"
#include "formkit/FormattedMessage.h"

namespace orvanta {

void* PluginOwnerWindow(OrvPlanService* plan) {
    if (!plan || !plan->Table || !plan->Table->GetMainWindow)
        return nullptr;
    return plan->Table->GetMainWindow(plan);
}

void ShowPluginMessage(void* owner, const TPluginMessage& message) {
    // Through "%s": a file name with a percent sign must not be read as a
    // format.
    const TMessageKind kind = message.Kind == TPluginMessage::TKind::Warning ? TMessageKind::Warning
                                                                             : TMessageKind::Error;
    CFormattedMessage("%s", message.Text.c_str()).Show(owner, kind);
}

std::string AskCsvFileName(void* owner, const std::string& title, const std::string& initialName) {
    CFileSaveDialog dialog;
    dialog.SetTitle(title);
    dialog.SetFilter("Текстовые базы данных (*.csv)|*.csv");
    dialog.SetFileName(initialName);
    if (!dialog.DoModal(owner))
        return std::string();
    return dialog.FileName();
}

} // namespace orvanta
