// The exports of rheobend.so and its one tool.

#include "plugins/common/PluginDialogSupport.h"
#include "plugins/common/SafeLineFileWriter.h"
#include "plugins/rheobend/CurvatureDialog.h"
#include "plugins/rheobend/RheobendLogic.h"

#include <orvanta/plugin.h>

namespace {

// Kept here rather than read back through GetMainServer: with several
// plug-ins loaded, the exported name could resolve to another library's.
OrvPlanService* MainServer = nullptr;

const char* Name(OrvTool*) {
    return orvanta::CurvatureToolName;
}

int32_t Enabled(OrvTool*) {
    try {
        return orvanta::IsRheobendEnabled(MainServer) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

// No C++ exception may cross into the host.
int32_t Run(OrvTool*) {
    try {
        orvanta::TSafeLineFileWriter writer;
        orvanta::TCurvatureDialog dialog(MainServer, writer);
        return dialog.DoModal(orvanta::PluginOwnerWindow(MainServer));
    } catch (...) {
        return 0;
    }
}

const OrvToolTable CurvatureTable = {&Name, &Enabled, &Run};
OrvTool CurvatureTool = {&CurvatureTable};

} // namespace

extern "C" {

ORV_EXPORT int32_t PlugInsEnumerate(OrvRegisterToolProc callback) {
    if (callback)
        callback(&CurvatureTool);
    return 1;
}

ORV_EXPORT OrvPlanService* SetMainServer(OrvPlanService* plan) {
    MainServer = plan;
    return plan;
}

ORV_EXPORT OrvPlanService* GetMainServer(void) {
    return MainServer;
}

} // extern "C"
