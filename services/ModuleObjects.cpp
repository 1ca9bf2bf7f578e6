#include "services/ModuleObjects.h"

#include "numeric/Cp1251.h"
#include "services/MathDefinition.h"

namespace orvanta {

namespace {

// Module texts are Windows-1251; a null text reads as empty.
std::string ModuleText(const char* text) {
    return text ? Cp1251ToUtf8(text) : std::string();
}

} // namespace

TModuleAdden::TModuleAdden(OrvAdden* adden)
    : Object(adden), Text(ModuleText(adden->Table->GetText(adden))),
      Name(ModuleText(adden->Table->GetName(adden))),
      CoefName(ModuleText(adden->Table->GetCoefName(adden))) {}

std::int32_t TModuleAdden::NeededFactors() const {
    return Object->Table->NeededFactors(Object);
}

double TModuleAdden::Evaluate(const double* x) const {
    double value = 0.0;
    Object->Table->Evaluate(Object, x, &value);
    return value;
}

TModuleModel::TModuleModel(OrvModel* model, const TMathDefinition& registry)
    : Object(model), Registry(registry), Name(ModuleText(model->Table->GetName(model))) {}

std::int32_t TModuleModel::RequiredDimension() const {
    return Object->Table->RequiredDimension(Object);
}

std::int32_t TModuleModel::AddenCount() const {
    return Object->Table->AddenCount(Object);
}

const TAdden* TModuleModel::GetAdden(std::int32_t j) const {
    return Registry.WrapAdden(Object->Table->GetAdden(Object, j));
}

double TModuleModel::Evaluate(const double* x, const double* b) const {
    double value = 0.0;
    Object->Table->Evaluate(Object, x, b, &value);
    return value;
}

TModuleGenerator::TModuleGenerator(OrvGenerator* generator, const TMathDefinition& registry)
    : Object(generator), Registry(registry),
      Name(ModuleText(generator->Table->GetName(generator))) {}

void TModuleGenerator::GetSize(std::int32_t& rows, std::int32_t& cols) const {
    std::int32_t n = 0;
    std::int32_t k = 0;
    Object->Table->GetSize(Object, &n, &k);
    rows = n;
    cols = k;
}

void TModuleGenerator::Fill(double** rows) const {
    Object->Table->Fill(Object, rows);
}

const TModel* TModuleGenerator::DefaultModel() const {
    return Registry.WrapModel(Object->Table->DefaultModel(Object));
}

} // namespace orvanta
