// The exports of rheobend.so and its one tool.

#include "plugins/common/NoThrow.h"
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
    return orvanta::NoThrow([] { return orvanta::IsRheobendEnabled(MainServer) ? 1 : 0; });
}

int32_t Run(OrvTool*) {
    return orvanta::NoThrow([] {
        orvanta::TSafeLineFileWriter writer;
        orvanta::TCurvatureDialog dialog(MainServer, writer);
        return dialog.DoModal(orvanta::PluginOwnerWindow(MainServer));
    });
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
