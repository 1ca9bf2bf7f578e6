#pragma once

#include <orvanta/math_module.h>
#include <orvanta/plan_service.h>

#include <functional>
#include <string>
#include <vector>

namespace orvanta::test {

// A plan service table filled with fakes for the slots the plug-ins use:
// CanDo, GetDimensions, PredictAt, GetModel and GetCoefficients. Every other
// slot stays null, so a plug-in reaching for one crashes the test.
class TFakePlanService {
public:
    TFakePlanService() {
        Table.CanDo = &CanDo;
        Table.GetDimensions = &GetDimensions;
        Table.PredictAt = &PredictAt;
        Table.GetModel = &GetModel;
        Table.GetCoefficients = &GetCoefficients;
        ModelTable.GetName = &ModelName;
        ModelTable.RequiredDimension = &RequiredDimension;
        ModelTable.AddenCount = &AddenCount;
        Plan.Service.Table = &Table;
        Plan.Owner = this;
        Model.Object.Table = &ModelTable;
        Model.Owner = this;
    }
    TFakePlanService(const TFakePlanService&) = delete;
    TFakePlanService& operator=(const TFakePlanService&) = delete;

    OrvPlanService* Service() { return &Plan.Service; }

    bool Allowed = true;               // CanDo's answer
    std::vector<int32_t> AskedActions; // every action CanDo was asked
    int32_t Factors = 3;
    bool HasModel = true;
    std::string ModelNameBytes; // Windows-1251
    int32_t Dimension = 1;
    int32_t Addens = 3;
    std::vector<double> Coefficients; // empty: GetCoefficients answers null
    std::function<double(const double*)> Response = [](const double*) { return 0.0; };
    int Predictions = 0;

private:
    struct TPlan {
        OrvPlanService Service;
        TFakePlanService* Owner;
    };
    struct TModel {
        OrvModel Object;
        TFakePlanService* Owner;
    };

    static TFakePlanService& Of(OrvPlanService* plan) {
        return *reinterpret_cast<TPlan*>(plan)->Owner;
    }
    static TFakePlanService& Of(OrvModel* model) {
        return *reinterpret_cast<TModel*>(model)->Owner;
    }
    static int32_t CanDo(OrvPlanService* plan, int32_t action) {
        Of(plan).AskedActions.push_back(action);
        return Of(plan).Allowed ? -1 : 0;
    }
    static void GetDimensions(OrvPlanService* plan, int32_t* k, int32_t* n, int32_t* m) {
        if (k)
            *k = Of(plan).Factors;
        if (n)
            *n = 10;
        if (m)
            *m = 1;
    }
    static void PredictAt(OrvPlanService* plan, const double* x, double* out) {
        ++Of(plan).Predictions;
        *out = Of(plan).Response(x);
    }
    static OrvModel* GetModel(OrvPlanService* plan) {
        return Of(plan).HasModel ? &Of(plan).Model.Object : nullptr;
    }
    static const double* GetCoefficients(OrvPlanService* plan) {
        return Of(plan).Coefficients.empty() ? nullptr : Of(plan).Coefficients.data();
    }
    static const char* ModelName(OrvModel* model) { return Of(model).ModelNameBytes.c_str(); }
    static int32_t RequiredDimension(OrvModel* model) { return Of(model).Dimension; }
    static int32_t AddenCount(OrvModel* model) { return Of(model).Addens; }

    OrvPlanServiceTable Table{};
    OrvModelTable ModelTable{};
    TPlan Plan{};
    TModel Model{};
};

} // namespace orvanta::test
