// A plan file on any bytes: read, then applied to a plan with the standard
// math module loaded.

#include "FuzzSupport.h"
#include "numeric/MemoryStream.h"
#include "plan/PlanFile.h"
#include "plan/RaruRuro.h"
#include "services/MathDefinition.h"
#include "services/ProgramFolder.h"

using namespace orvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TQuietPlanHost host;
    static TMathDefinition* modules = [] {
        auto* registry = new TMathDefinition();
        registry->LoadFolder(ProgramFolder() + "/Models");
        return registry;
    }();
    TRaruRuro plan(host);
    plan.SetMathCatalog(modules);
    TMemoryStream stream(fuzz::Bytes(data, size));
    if (ReadPlan(stream, plan)) {
        // A plan that opens can be written again.
        TMemoryStream out;
        WritePlan(plan, out);
    }
    return 0;
}
