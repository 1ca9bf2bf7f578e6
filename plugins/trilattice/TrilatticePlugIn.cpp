// The exports of trilattice.so and its two tools.

#include "plugins/common/NoThrow.h"
#include "plugins/common/PluginDialogSupport.h"
#include "plugins/common/SafeLineFileWriter.h"
#include "plugins/trilattice/ExtremumDialog.h"
#include "plugins/trilattice/LatticeDialog.h"
#include "plugins/trilattice/TrilatticeLogic.h"

#include <orvanta/plugin.h>

namespace {

// Kept here rather than read back through GetMainServer: with several
// plug-ins loaded, the exported name could resolve to another library's.
OrvPlanService* MainServer = nullptr;

const char* LatticeName(OrvTool*) {
    return orvanta::LatticeToolName;
}

const char* ExtremumName(OrvTool*) {
    return orvanta::ExtremumToolName;
}

int32_t Enabled(OrvTool*) {
    return orvanta::NoThrow([] { return orvanta::IsTrilatticeEnabled(MainServer) ? 1 : 0; });
}

int32_t RunLattice(OrvTool*) {
    return orvanta::NoThrow([] {
        orvanta::TSafeLineFileWriter writer;
        orvanta::TLatticeDialog dialog(MainServer, writer);
        return dialog.DoModal(orvanta::PluginOwnerWindow(MainServer));
    });
}

int32_t RunExtremum(OrvTool*) {
    return orvanta::NoThrow([] {
        orvanta::TExtremumDialog dialog(MainServer);
        return dialog.DoModal(orvanta::PluginOwnerWindow(MainServer));
    });
}

const OrvToolTable LatticeTable = {&LatticeName, &Enabled, &RunLattice};
const OrvToolTable ExtremumTable = {&ExtremumName, &Enabled, &RunExtremum};
OrvTool LatticeTool = {&LatticeTable};
OrvTool ExtremumTool = {&ExtremumTable};

} // namespace

extern "C" {

ORV_EXPORT int32_t PlugInsEnumerate(OrvRegisterToolProc callback) {
    if (callback && callback(&LatticeTool) == 1)
        callback(&ExtremumTool);
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
