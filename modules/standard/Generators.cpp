// The module's plan generators, each with the model it proposes.

#include "Catalog.h"
#include "Designs.h"

#include <algorithm>
#include <string>

namespace orvanta::stdmodule {

namespace {

const TStdGenerator& Self(OrvGenerator* generator) {
    return *reinterpret_cast<const TStdGenerator*>(generator);
}

const char* GetName(OrvGenerator* self) {
    return Self(self).Name;
}

void GetSize(OrvGenerator* self, std::int32_t* rows, std::int32_t* cols) {
    *rows = Self(self).Rows;
    *cols = Self(self).Cols;
}

void Fill(OrvGenerator* self, double** rows) {
    const TStdGenerator& generator = Self(self);
    const double* cell = generator.Cells;
    for (std::int32_t i = 0; i < generator.Rows; ++i, cell += generator.Cols)
        std::copy(cell, cell + generator.Cols, rows[i]);
}

OrvModel* DefaultModel(OrvGenerator* self) {
    return Self(self).Default;
}

const OrvGeneratorTable GeneratorTable = {GetName, GetSize, Fill, DefaultModel};

std::string Linear(std::int32_t k) {
    return "Линейная модель, k = " + std::to_string(k);
}

std::string Interactions(std::int32_t k) {
    return "Линейная модель с парными взаимодействиями, k = " + std::to_string(k);
}

std::string Quadratic(std::int32_t k) {
    return "Полная квадратичная модель, k = " + std::to_string(k);
}

// Generator words over the base factors A, B, C, D (bit 0 is A).
constexpr unsigned A = 1U;
constexpr unsigned B = 2U;
constexpr unsigned C = 4U;
constexpr unsigned D = 8U;

} // namespace

void TCatalog::AddGenerator(std::string_view name, const TDesign& design, std::string_view model) {
    std::vector<double>& cells = CellLists.emplace_back();
    for (const auto& row : design)
        cells.insert(cells.end(), row.begin(), row.end());
    TStdGenerator& generator = GeneratorList.emplace_back();
    generator.Base.Table = &GeneratorTable;
    generator.Rows = static_cast<std::int32_t>(design.size());
    generator.Cols = static_cast<std::int32_t>(design.front().size());
    generator.Cells = cells.data();
    generator.Default = ModelByName.at(std::string(model));
    generator.Name = Keep(name);
}

void TCatalog::AddGenerators() {
    for (std::int32_t k = 2; k <= 7; ++k)
        AddGenerator("Полный факторный эксперимент 2^" + std::to_string(k), FullFactorial(k),
                     Interactions(k));

    const std::string fractional = "Дробный факторный эксперимент ";
    AddGenerator(fractional + "2^(3-1)", FractionalFactorial(2, {A | B}), Linear(3));
    AddGenerator(fractional + "2^(4-1)", FractionalFactorial(3, {A | B | C}), Linear(4));
    AddGenerator(fractional + "2^(5-1)", FractionalFactorial(4, {A | B | C | D}), Linear(5));
    AddGenerator(fractional + "2^(5-2)", FractionalFactorial(3, {A | B, A | C}), Linear(5));
    AddGenerator(fractional + "2^(6-2)", FractionalFactorial(4, {A | B | C, B | C | D}), Linear(6));
    AddGenerator(fractional + "2^(7-3)", FractionalFactorial(4, {A | B | C, B | C | D, A | C | D}),
                 Linear(7));
    AddGenerator(fractional + "2^(7-4)", FractionalFactorial(3, {A | B, A | C, B | C, A | B | C}),
                 Linear(7));

    AddGenerator("План Плакетта - Бермана, 11 факторов, 12 опытов", PlackettBurman12(), Linear(11));

    for (std::int32_t k = 3; k <= 5; ++k)
        AddGenerator("План Бокса - Бенкена, k = " + std::to_string(k), BoxBehnken(k, 3),
                     Quadratic(k));
    for (std::int32_t k = 2; k <= 5; ++k)
        AddGenerator("Гранецентрированный композиционный план, k = " + std::to_string(k),
                     FaceCentredComposite(k), Quadratic(k));
    for (std::int32_t k = 2; k <= 3; ++k)
        AddGenerator("Трехуровневый факторный план 3^" + std::to_string(k), ThreeLevelFactorial(k),
                     Quadratic(k));

    AddGenerator("Симплекс-решетчатый план {3,2}", SimplexLattice3(2),
                 "Полином Шеффе квадратичный");
    AddGenerator("Симплекс-решетчатый план {3,3}", SimplexLattice3(3), "Полином Шеффе кубический");
    AddGenerator("Симплекс-центроидный план, 3 компонента", SimplexCentroid3(),
                 "Полином Шеффе специальный кубический");

    AddGenerator("Равномерный план одного фактора, 5 точек", UniformPoints(5), Quadratic(1));
    AddGenerator("Равномерный план одного фактора, 7 точек", UniformPoints(7),
                 "Сумма линейной функции и экспоненты");
}

} // namespace orvanta::stdmodule
