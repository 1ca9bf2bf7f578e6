#pragma once

#include "plan/MathObjects.h"

#include <orvanta/math_module.h>

#include <string>

namespace orvanta {

class TMathDefinition;

// The plan's view of a module's adden: texts in UTF-8, calls through the
// module's table.
class TModuleAdden final : public TAdden {
public:
    explicit TModuleAdden(OrvAdden* adden);
    void* NativeObject() const override { return Object; }
    std::string GetText() const override { return Text; }
    std::string GetName() const override { return Name; }
    std::string GetCoefName() const override { return CoefName; }
    std::int32_t NeededFactors() const override;
    double Evaluate(const double* x) const override;

private:
    OrvAdden* Object;
    std::string Text;
    std::string Name;
    std::string CoefName;
};

class TModuleModel final : public TModel {
public:
    TModuleModel(OrvModel* model, const TMathDefinition& registry);
    void* NativeObject() const override { return Object; }
    std::string GetName() const override { return Name; }
    std::int32_t RequiredDimension() const override;
    std::int32_t AddenCount() const override;
    const TAdden* GetAdden(std::int32_t j) const override;
    double Evaluate(const double* x, const double* b) const override;

private:
    OrvModel* Object;
    const TMathDefinition& Registry;
    std::string Name;
};

class TModuleGenerator final : public TGenerator {
public:
    TModuleGenerator(OrvGenerator* generator, const TMathDefinition& registry);
    void* NativeObject() const override { return Object; }
    std::string GetName() const override { return Name; }
    void GetSize(std::int32_t& rows, std::int32_t& cols) const override;
    void Fill(double** rows) const override;
    const TModel* DefaultModel() const override;

private:
    OrvGenerator* Object;
    const TMathDefinition& Registry;
    std::string Name;
};

} // namespace orvanta
