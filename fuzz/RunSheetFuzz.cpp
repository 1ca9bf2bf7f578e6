// A filled run sheet on any bytes, read against a bundled plan.

#include "FuzzSupport.h"
#include "numeric/FileStream.h"
#include "plan/PlanFile.h"
#include "plan/RaruRuro.h"
#include "runsheet/SheetReader.h"

using namespace orvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TQuietPlanHost host;
    static TRaruRuro* plan = [] {
        auto* example = new TRaruRuro(host);
        TFileStream stream(ORVAN_EXAMPLE_PLAN);
        ReadPlan(stream, *example);
        return example;
    }();
    ReadRunSheet(fuzz::Bytes(data, size), *plan);
    return 0;
}
