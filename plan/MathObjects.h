#pragma once

#include <cstdint>
#include <string>

namespace orvanta {

// The objects that math modules supply, as the plan sees them. The module
// registry wraps the modules' own tables in these; tests use plain doubles.
// Objects belong to their modules and live until the program ends.

// One term of a regression model (coefficient times a function of the factors).
class TAdden {
public:
    virtual ~TAdden() = default;
    // The module's own object behind this one (for plug-ins), or null.
    virtual void* NativeObject() const { return nullptr; }
    // The line shown in term lists and equations.
    virtual std::string GetText() const = 0;
    // The identifier: lookup by name, plan files.
    virtual std::string GetName() const = 0;
    // The coefficient's label in coefficient listings.
    virtual std::string GetCoefName() const = 0;
    // Offered for a plan only when this is at most the plan's factor count.
    virtual std::int32_t NeededFactors() const = 0;
    // The term's value at x (k coded factor values).
    virtual double Evaluate(const double* x) const = 0;
};

// A ready-made model: a fixed list of addens with its own evaluation.
class TModel {
public:
    virtual ~TModel() = default;
    // The module's own object behind this one (for plug-ins), or null.
    virtual void* NativeObject() const { return nullptr; }
    virtual std::string GetName() const = 0;
    // The factor count the model is defined for.
    virtual std::int32_t RequiredDimension() const = 0;
    virtual std::int32_t AddenCount() const = 0;
    virtual const TAdden* GetAdden(std::int32_t j) const = 0;
    // The prediction at x for the coefficients b (AddenCount of them).
    virtual double Evaluate(const double* x, const double* b) const = 0;
};

// A generator of a standard design's code matrix.
class TGenerator {
public:
    virtual ~TGenerator() = default;
    // The module's own object behind this one (for plug-ins), or null.
    virtual void* NativeObject() const { return nullptr; }
    virtual std::string GetName() const = 0;
    // The number of runs N and of factors k.
    virtual void GetSize(std::int32_t& rows, std::int32_t& cols) const = 0;
    // Writes the N x k coded levels through a table of N row pointers.
    virtual void Fill(double** rows) const = 0;
    // The model proposed with this design, or null.
    virtual const TModel* DefaultModel() const = 0;
};

// The loaded math modules' objects, in load order (the registry).
class TMathCatalog {
public:
    virtual ~TMathCatalog() = default;
    virtual std::int32_t AddenCount() const = 0;
    virtual std::int32_t ModelCount() const = 0;
    virtual std::int32_t GenCount() const = 0;
    virtual const TAdden* Adden(std::int32_t i) const = 0;
    virtual const TModel* Model(std::int32_t i) const = 0;
    virtual const TGenerator* Generator(std::int32_t i) const = 0;
    // Index of the first object with exactly this name, or -1.
    virtual std::int32_t AddenByName(const std::string& name) const = 0;
    virtual std::int32_t ModelByName(const std::string& name) const = 0;
    virtual std::int32_t GenByName(const std::string& name) const = 0;
};

} // namespace orvanta
