#pragma once

#include "orvanta/math_module.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace orvanta::stdmodule {

// What an adden computes from the factors x (0-based indices I, J, L).
enum class TAddenKind {
    Constant,        // 1
    Linear,          // x[I]
    Pair,            // x[I] x[J]
    Square,          // x[I]^2
    Cube,            // x[I]^3
    Triple,          // x[I] x[J] x[L]
    Exponent,        // e^x[I]
    CubicDifference, // x[I] x[J] (x[I] - x[J]), the full cubic Scheffé term
    Power            // x[I]^J for the degrees above 3 (J from 4)
};

// The objects handed to the program. Each starts with the public object, so a
// pointer to it is a pointer to the whole; the texts are Windows-1251 and
// owned by the catalog.
struct TStdAdden {
    OrvAdden Base;
    TAddenKind Kind;
    std::int32_t I;
    std::int32_t J;
    std::int32_t L;
    std::int32_t Needed;
    const char* Text;
    const char* Name;
    const char* CoefName;
};

struct TStdModel {
    OrvModel Base;
    std::int32_t Dimension;
    std::int32_t Count;
    OrvAdden* const* Terms;
    const char* Name;
};

struct TStdGenerator {
    OrvGenerator Base;
    std::int32_t Rows;
    std::int32_t Cols;
    const double* Cells; // Rows x Cols, run by run
    OrvModel* Default;
    const char* Name;
};

static_assert(std::is_standard_layout_v<TStdAdden> && offsetof(TStdAdden, Base) == 0);
static_assert(std::is_standard_layout_v<TStdModel> && offsetof(TStdModel, Base) == 0);
static_assert(std::is_standard_layout_v<TStdGenerator> && offsetof(TStdGenerator, Base) == 0);

// Coded levels of a design, one vector per run.
using TDesign = std::vector<std::vector<double>>;

// Everything the module offers, built once and never freed: the program keeps
// plain pointers to the objects and their texts until it ends. Deques keep
// every element where it was put.
class TCatalog {
public:
    // Built on first use.
    static const TCatalog& Instance();

    const std::deque<TStdAdden>& Addens() const { return AddenList; }
    const std::deque<TStdModel>& Models() const { return ModelList; }
    const std::deque<TStdGenerator>& Generators() const { return GeneratorList; }

    TCatalog(const TCatalog&) = delete;
    TCatalog& operator=(const TCatalog&) = delete;

private:
    TCatalog();

    // Addens.cpp
    void AddAddens();
    void AddAdden(TAddenKind kind, std::int32_t i = -1, std::int32_t j = -1, std::int32_t l = -1);
    // Models.cpp
    void AddModels();
    void AddModel(std::string_view name, std::int32_t dimension,
                  const std::vector<std::string>& termNames);
    // Generators.cpp
    void AddGenerators();
    void AddGenerator(std::string_view name, const TDesign& design, std::string_view model);

    // A stable Windows-1251 copy of a UTF-8 text.
    const char* Keep(std::string_view utf8);

    std::deque<std::string> Texts;
    std::deque<TStdAdden> AddenList;
    std::deque<TStdModel> ModelList;
    std::deque<TStdGenerator> GeneratorList;
    std::deque<std::vector<OrvAdden*>> TermLists;
    std::deque<std::vector<double>> CellLists;
    // By the adden's ASCII name and by the model's UTF-8 name.
    std::map<std::string, OrvAdden*, std::less<>> AddenByName;
    std::map<std::string, OrvModel*, std::less<>> ModelByName;
};

// Largest factor number of the addens and of the second-order models.
constexpr std::int32_t MaxFactors = 10;
// The Plackett-Burman plan has eleven factors, so its linear model and the
// linear terms reach one further.
constexpr std::int32_t MaxLinearFactors = 11;
// The highest degree of the one-factor polynomial models.
constexpr std::int32_t MaxDegree = 10;

} // namespace orvanta::stdmodule
