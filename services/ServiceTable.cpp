#include "services/PlanService.h"

#include "numeric/Cp1251.h"
#include "numeric/Messages.h"

namespace orvanta {

namespace {

TPlanService& S(OrvPlanService* p) {
    return *TPlanService::FromServer(p);
}

// Nothing may cross back into a plug-in as an exception: an unexpected one
// is reported and the call answers no.
template <class TFn> std::uint8_t Guard(TFn fn) {
    try {
        return fn() ? 1 : 0;
    } catch (const std::exception& e) {
        ShowError(std::string("Внутренняя ошибка: ") + e.what());
    } catch (...) {
        ShowError("Внутренняя ошибка: необработанное исключение.");
    }
    return 0;
}

template <class TFn> void GuardVoid(TFn fn) {
    Guard([&] {
        fn();
        return true;
    });
}

#define ORV_COMMAND(name)                                                                          \
    [](OrvPlanService* p) -> std::uint8_t { return Guard([&] { return S(p).name(); }); }
#define ORV_RESTORE(action)                                                                        \
    [](OrvPlanService* p) -> std::uint8_t {                                                        \
        return Guard([&] { return S(p).RestoreWindow(action); });                                  \
    }
#define ORV_MINIMIZE(action)                                                                       \
    [](OrvPlanService* p) -> std::uint8_t {                                                        \
        return Guard([&] { return S(p).MinimizeWindow(action); });                                 \
    }

// clang-format off
const OrvPlanServiceTable Table = {
    /* 0 */ [](OrvPlanService* p, std::int32_t action) -> std::int32_t {
        std::int32_t answer = 0;
        Guard([&] { answer = S(p).CanDo(action); return true; });
        return answer;
    },
    /* 1 */ ORV_COMMAND(NewPlan),
    /* 2 */ [](OrvPlanService* p, const char* name) -> std::uint8_t {
        return Guard([&] {
            return S(p).OpenPlan(name ? std::optional<std::string>(Cp1251ToUtf8(name)) : std::nullopt);
        });
    },
    /* 3 */ ORV_COMMAND(SavePlanAs),
    /* 4 */ ORV_COMMAND(SavePlan),
    /* 5 */ ORV_COMMAND(UpdateReport),
    /* 6 */ ORV_COMMAND(ClosePlan),
    /* 7 */ ORV_COMMAND(ExportAll),
    /* 8 */ ORV_COMMAND(ExportCodeMatrix),
    /* 9 */ ORV_COMMAND(ExportNaturalMatrix),
    /* 10 */ ORV_COMMAND(ExportBaseLevels),
    /* 11 */ ORV_COMMAND(ExportIntervals),
    /* 12 */ ORV_COMMAND(ExportResponses),
    /* 13 */ ORV_COMMAND(ExportReport),
    /* 14 */ ORV_COMMAND(ImportCodeMatrix),
    /* 15 */ ORV_COMMAND(ImportBaseLevels),
    /* 16 */ ORV_COMMAND(ImportIntervals),
    /* 17 */ ORV_COMMAND(ImportResponses),
    /* 18 */ ORV_COMMAND(ImportAll),
    /* 19 */ ORV_COMMAND(EditFactorNames),
    /* 20 */ ORV_COMMAND(EditResponses),
    /* 21 */ ORV_COMMAND(ShowCheckPoint),
    /* 22 */ ORV_COMMAND(ComputeAverages),
    /* 23 */ [](OrvPlanService* p) -> std::uint8_t { return Guard([&] { return S(p).Plan.CheckHomogeneity(); }); },
    /* 24 */ ORV_COMMAND(ResetCodeMatrix),
    /* 25 */ ORV_COMMAND(RunAnalysis),
    /* 26 */ [](OrvPlanService* p) -> std::uint8_t { return Guard([&] { return S(p).Plan.EstimateRegression(); }); },
    /* 27 */ [](OrvPlanService* p) -> std::uint8_t { return Guard([&] { return S(p).Plan.CheckAdequacy(); }); },
    /* 28 */ ORV_COMMAND(FindExtremum),
    /* 29 */ ORV_COMMAND(TranslateValue),
    /* 30 */ ORV_COMMAND(NewDiagram),
    /* 31 */ ORV_COMMAND(NewSurface),
    /* 32 */ ORV_COMMAND(ExportDiagram),
    /* 33 */ ORV_COMMAND(ExportSurface),
    /* 34 */ ORV_RESTORE(33), /* 35 */ ORV_RESTORE(34), /* 36 */ ORV_RESTORE(35),
    /* 37 */ ORV_RESTORE(36), /* 38 */ ORV_RESTORE(37), /* 39 */ ORV_RESTORE(38),
    /* 40 */ ORV_MINIMIZE(40), /* 41 */ ORV_MINIMIZE(41), /* 42 */ ORV_MINIMIZE(42),
    /* 43 */ ORV_MINIMIZE(43), /* 44 */ ORV_MINIMIZE(44), /* 45 */ ORV_MINIMIZE(45),
    /* 46 */ ORV_COMMAND(MinimizeWindows),
    /* 47 */ ORV_COMMAND(ShowWindows),
    /* 48 */ [](OrvPlanService* p, const OrvRect* r) -> std::uint8_t {
        return Guard([&] {
            return r && S(p).ArrangeWindows(r->Left, r->Top, r->Right, r->Bottom);
        });
    },
    /* 49 */ ORV_COMMAND(IsModified),
    /* 50 */ [](OrvPlanService* p, std::int32_t) { GuardVoid([&] { S(p).Plan.RefreshNaturalMatrix(); }); },
    /* 51 */ [](OrvPlanService* p) -> void* {
        void* result = nullptr;
        GuardVoid([&] { S(p).Plan.Host().ApplyOptions(); result = S(p).Graphs.ApplyOptions(); });
        return result;
    },
    /* 52 */ [](OrvPlanService* p) -> const char* {
        TPlanService& s = S(p);
        GuardVoid([&] { s.StatusBytes = Utf8ToCp1251(s.Plan.StatusText); });
        return s.StatusBytes.c_str();
    },
    /* 53 */ [](OrvPlanService* p) { S(p).Plan.StatusText.clear(); },
    /* 54 */ [](OrvPlanService* p) -> const char* {
        TPlanService& s = S(p);
        GuardVoid([&] { s.FileNameBytes = Utf8ToCp1251(s.Plan.FileName); });
        return s.FileNameBytes.c_str();
    },
    /* 55 */ [](OrvPlanService* p) -> void* { return &S(p).Graphs; },
    /* 56 */ [](OrvPlanService* p, std::uint8_t* a, std::uint8_t* b, std::uint8_t* c, std::uint8_t* d,
                std::uint8_t* e, std::uint8_t* f, std::uint8_t* g) {
        GuardVoid([&] {
            bool states[7] = {};
            S(p).SaveWindowStates(states);
            std::uint8_t* out[7] = {a, b, c, d, e, f, g};
            for (int i = 0; i < 7; ++i)
                if (out[i])
                    *out[i] = states[i] ? 1 : 0;
        });
    },
    /* 57 */ [](OrvPlanService* p, std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d,
                std::uint8_t e, std::uint8_t f, std::uint8_t g) {
        GuardVoid([&] {
            const bool states[7] = {a != 0, b != 0, c != 0, d != 0, e != 0, f != 0, g != 0};
            S(p).RestoreWindowStates(states);
        });
    },
    /* 58 */ [](OrvPlanService* p, std::int32_t* k, std::int32_t* n, std::int32_t* m) {
        const TRaruRuro& plan = S(p).Plan;
        if (k) *k = plan.FactorCount;
        if (n) *n = plan.RunCount;
        if (m) *m = plan.RepeatCount;
    },
    /* 59 */ [](OrvPlanService* p, double* out, const double* in) {
        const TRaruRuro& plan = S(p).Plan;
        if (out && in && plan.HasBaseLevels && plan.HasIntervals)
            plan.NaturalToCoded(in, out);
    },
    /* 60 */ [](OrvPlanService* p, double* out, const double* in) {
        const TRaruRuro& plan = S(p).Plan;
        if (out && in && plan.HasBaseLevels && plan.HasIntervals)
            plan.CodedToNatural(in, out);
    },
    /* 61 */ [](OrvPlanService* p, const double* x, double* out) {
        const TRaruRuro& plan = S(p).Plan;
        if (x && out)
            *out = plan.HasBVector ? plan.Predict(x) : 0.0;
    },
    /* 62 */ [](OrvPlanService* p) -> void* { return S(p).Plan.Host().MainWindowHandle(); },
    /* 63 */ [](OrvPlanService* p) -> OrvGenerator* {
        const TGenerator* g = S(p).Plan.Generator;
        return g ? static_cast<OrvGenerator*>(g->NativeObject()) : nullptr;
    },
    /* 64 */ [](OrvPlanService* p) -> OrvModel* {
        const TModel* m = S(p).Plan.Model;
        return m ? static_cast<OrvModel*>(m->NativeObject()) : nullptr;
    },
    /* 65 */ [](OrvPlanService* p, std::int32_t index) -> OrvAdden* {
        const TRaruRuro& plan = S(p).Plan;
        const TAdden* adden = nullptr;
        if (plan.Model) {
            if (index >= 0 && index < plan.Model->AddenCount())
                adden = plan.Model->GetAdden(index);
        } else if (index >= 0 && static_cast<std::size_t>(index) < plan.Addens.size()) {
            adden = plan.Addens[static_cast<std::size_t>(index)];
        }
        return adden ? static_cast<OrvAdden*>(adden->NativeObject()) : nullptr;
    },
    /* 66 */ [](OrvPlanService* p) -> const double* { return S(p).Plan.BVector.Elements(); },
};
// clang-format on

#undef ORV_COMMAND
#undef ORV_RESTORE
#undef ORV_MINIMIZE

} // namespace

const OrvPlanServiceTable* ServiceTable() {
    return &Table;
}

} // namespace orvanta
