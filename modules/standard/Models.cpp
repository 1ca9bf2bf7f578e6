// The module's models: the polynomial models of one to ten factors, Scheffé's
// mixture polynomials of three components, the sum of a linear function and
// an exponent in one factor and the polynomials of one factor of degree 4 to
// 10.

#include "Catalog.h"

#include <string>

namespace orvanta::stdmodule {

namespace {

const TStdModel& Self(OrvModel* model) {
    return *reinterpret_cast<const TStdModel*>(model);
}

const char* GetName(OrvModel* self) {
    return Self(self).Name;
}

std::int32_t RequiredDimension(OrvModel* self) {
    return Self(self).Dimension;
}

std::int32_t AddenCount(OrvModel* self) {
    return Self(self).Count;
}

OrvAdden* GetAdden(OrvModel* self, std::int32_t j) {
    const TStdModel& model = Self(self);
    // The program asks only for 0 .. Count - 1; anything else gets the first
    // term rather than a stray pointer.
    if (j < 0 || j >= model.Count)
        j = 0;
    return model.Terms[j];
}

void Evaluate(OrvModel* self, const double* x, const double* b, double* out) {
    const TStdModel& model = Self(self);
    double sum = 0.0;
    for (std::int32_t j = 0; j < model.Count; ++j) {
        OrvAdden* term = model.Terms[j];
        double value = 0.0;
        term->Table->Evaluate(term, x, &value);
        sum += b[j] * value;
    }
    *out = sum;
}

const OrvModelTable ModelTable = {GetName, RequiredDimension, AddenCount, GetAdden, Evaluate};

std::string X(std::int32_t i) {
    return "x" + std::to_string(i + 1);
}

// The term names of the polynomial models in the program's own order: 1;
// x1 .. xk; xi*xj for i < j; x1^2 .. xk^2.
std::vector<std::string> PolynomialTerms(std::int32_t k, bool pairs, bool squares) {
    std::vector<std::string> names{"1"};
    for (std::int32_t i = 0; i < k; ++i)
        names.push_back(X(i));
    if (pairs)
        for (std::int32_t i = 0; i < k; ++i)
            for (std::int32_t j = i + 1; j < k; ++j)
                names.push_back(X(i) + "*" + X(j));
    if (squares)
        for (std::int32_t i = 0; i < k; ++i)
            names.push_back(X(i) + "^2");
    return names;
}

} // namespace

void TCatalog::AddModel(std::string_view name, std::int32_t dimension,
                        const std::vector<std::string>& termNames) {
    std::vector<OrvAdden*>& terms = TermLists.emplace_back();
    for (const std::string& termName : termNames)
        terms.push_back(AddenByName.at(termName));
    TStdModel& model = ModelList.emplace_back();
    model.Base.Table = &ModelTable;
    model.Dimension = dimension;
    model.Count = static_cast<std::int32_t>(terms.size());
    model.Terms = terms.data();
    model.Name = Keep(name);
    ModelByName.emplace(std::string(name), &model.Base);
}

void TCatalog::AddModels() {
    const std::string k = ", k = ";
    for (std::int32_t n = 1; n <= MaxLinearFactors; ++n)
        AddModel("Линейная модель" + k + std::to_string(n), n, PolynomialTerms(n, false, false));
    // With one factor there is no pair to interact.
    for (std::int32_t n = 2; n <= MaxFactors; ++n)
        AddModel("Линейная модель с парными взаимодействиями" + k + std::to_string(n), n,
                 PolynomialTerms(n, true, false));
    for (std::int32_t n = 1; n <= MaxFactors; ++n)
        AddModel("Полная квадратичная модель" + k + std::to_string(n), n,
                 PolynomialTerms(n, true, true));

    const std::vector<std::string> linear{"x1", "x2", "x3"};
    std::vector<std::string> quadratic = linear;
    quadratic.insert(quadratic.end(), {"x1*x2", "x1*x3", "x2*x3"});
    std::vector<std::string> specialCubic = quadratic;
    specialCubic.push_back("x1*x2*x3");
    std::vector<std::string> cubic = quadratic;
    cubic.insert(cubic.end(), {"x1*x2*(x1-x2)", "x1*x3*(x1-x3)", "x2*x3*(x2-x3)", "x1*x2*x3"});
    AddModel("Полином Шеффе линейный", 3, linear);
    AddModel("Полином Шеффе квадратичный", 3, quadratic);
    AddModel("Полином Шеффе специальный кубический", 3, specialCubic);
    AddModel("Полином Шеффе кубический", 3, cubic);

    AddModel("Сумма линейной функции и экспоненты", 1, {"1", "x1", "exp(x1)"});

    std::vector<std::string> powers{"1", "x1", "x1^2", "x1^3"};
    for (std::int32_t degree = 4; degree <= MaxDegree; ++degree) {
        powers.push_back("x1^" + std::to_string(degree));
        AddModel("Полином степени " + std::to_string(degree) + " от x1", 1, powers);
    }
}

} // namespace orvanta::stdmodule
