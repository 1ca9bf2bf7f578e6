// The module's addens: the constant, the powers and products of the factors,
// their exponents, the cubic terms of Scheffé's mixture polynomials and the
// powers of x1 up to the tenth.

#include "Catalog.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace orvanta::stdmodule {

namespace {

const TStdAdden& Self(OrvAdden* adden) {
    return *reinterpret_cast<const TStdAdden*>(adden);
}

const char* GetText(OrvAdden* self) {
    return Self(self).Text;
}

const char* GetName(OrvAdden* self) {
    return Self(self).Name;
}

const char* GetCoefName(OrvAdden* self) {
    return Self(self).CoefName;
}

std::int32_t NeededFactors(OrvAdden* self) {
    return Self(self).Needed;
}

void Evaluate(OrvAdden* self, const double* x, double* out) {
    const TStdAdden& a = Self(self);
    switch (a.Kind) {
    case TAddenKind::Constant:
        *out = 1.0;
        return;
    case TAddenKind::Linear:
        *out = x[a.I];
        return;
    case TAddenKind::Pair:
        *out = x[a.I] * x[a.J];
        return;
    case TAddenKind::Square:
        *out = x[a.I] * x[a.I];
        return;
    case TAddenKind::Cube:
        *out = x[a.I] * x[a.I] * x[a.I];
        return;
    case TAddenKind::Triple:
        *out = x[a.I] * x[a.J] * x[a.L];
        return;
    case TAddenKind::Exponent:
        *out = std::exp(x[a.I]);
        return;
    case TAddenKind::CubicDifference:
        *out = x[a.I] * x[a.J] * (x[a.I] - x[a.J]);
        return;
    case TAddenKind::Power:
        // One rounding, not one per factor: high powers of natural values
        // keep their digits.
        *out = std::pow(x[a.I], a.J);
        return;
    }
    *out = 0.0;
}

const OrvAddenTable AddenTable = {GetText, GetName, GetCoefName, NeededFactors, Evaluate};

// The texts of one adden, built from its factor numbers (1-based).
struct TAddenTexts {
    std::string Text;
    std::string Name;
    std::string CoefName;
};

std::string X(std::int32_t number) {
    return "x" + std::to_string(number);
}

// "b12" for factors 1 and 2; once a factor number has two digits the digits
// would run together ("b110"), so the numbers are separated: "b1,10". A lone
// number from 11 on would read as a pair ("b11" is x1^2), so it is bracketed:
// "b(11)".
std::string Label(const char* letter, std::initializer_list<std::int32_t> numbers) {
    bool wide = false;
    for (const std::int32_t n : numbers)
        wide = wide || n > 9;
    if (numbers.size() == 1 && *numbers.begin() > 10)
        return std::string(letter) + "(" + std::to_string(*numbers.begin()) + ")";
    std::string label = letter;
    bool first = true;
    for (const std::int32_t n : numbers) {
        if (wide && !first)
            label += ',';
        label += std::to_string(n);
        first = false;
    }
    return label;
}

TAddenTexts TextsOf(TAddenKind kind, std::int32_t a, std::int32_t b, std::int32_t c) {
    const std::string dot = "·";
    switch (kind) {
    case TAddenKind::Constant:
        return {"1", "1", "b0"};
    case TAddenKind::Linear:
        return {X(a), X(a), Label("b", {a})};
    case TAddenKind::Pair:
        return {X(a) + dot + X(b), X(a) + "*" + X(b), Label("b", {a, b})};
    case TAddenKind::Square:
        return {X(a) + "^2", X(a) + "^2", Label("b", {a, a})};
    case TAddenKind::Cube:
        return {X(a) + "^3", X(a) + "^3", Label("b", {a, a, a})};
    case TAddenKind::Triple:
        return {X(a) + dot + X(b) + dot + X(c), X(a) + "*" + X(b) + "*" + X(c),
                Label("b", {a, b, c})};
    case TAddenKind::Exponent:
        return {"e^(" + X(a) + ")", "exp(" + X(a) + ")", "bexp" + std::to_string(a)};
    case TAddenKind::CubicDifference: {
        const std::string difference = "(" + X(a) + "-" + X(b) + ")";
        return {X(a) + dot + X(b) + dot + difference, X(a) + "*" + X(b) + "*" + difference,
                Label("d", {a, b})};
    }
    case TAddenKind::Power:
        // b is the degree here; the label repeats the factor number as the
        // square's and the cube's do ("b1111" for x1^4).
        return {X(a) + "^" + std::to_string(b), X(a) + "^" + std::to_string(b),
                "b" + std::string(static_cast<std::size_t>(b), '1')};
    }
    return {};
}

} // namespace

void TCatalog::AddAdden(TAddenKind kind, std::int32_t i, std::int32_t j, std::int32_t l) {
    const bool power = kind == TAddenKind::Power;
    const TAddenTexts texts = TextsOf(kind, i + 1, power ? j : j + 1, l + 1);
    TStdAdden& adden = AddenList.emplace_back();
    adden.Base.Table = &AddenTable;
    adden.Kind = kind;
    adden.I = i;
    adden.J = j;
    adden.L = l;
    adden.Needed = (power ? i : std::max({i, j, l})) + 1;
    adden.Text = Keep(texts.Text);
    adden.Name = Keep(texts.Name);
    adden.CoefName = Keep(texts.CoefName);
    AddenByName.emplace(texts.Name, &adden.Base);
}

void TCatalog::AddAddens() {
    AddAdden(TAddenKind::Constant);
    for (std::int32_t i = 0; i < MaxLinearFactors; ++i)
        AddAdden(TAddenKind::Linear, i);
    for (std::int32_t i = 0; i < MaxFactors; ++i)
        for (std::int32_t j = i + 1; j < MaxFactors; ++j)
            AddAdden(TAddenKind::Pair, i, j);
    for (std::int32_t i = 0; i < MaxFactors; ++i)
        AddAdden(TAddenKind::Square, i);
    for (std::int32_t i = 0; i < MaxFactors; ++i)
        AddAdden(TAddenKind::Cube, i);
    for (std::int32_t i = 0; i < MaxFactors; ++i)
        for (std::int32_t j = i + 1; j < MaxFactors; ++j)
            for (std::int32_t l = j + 1; l < MaxFactors; ++l)
                AddAdden(TAddenKind::Triple, i, j, l);
    for (std::int32_t i = 0; i < MaxFactors; ++i)
        AddAdden(TAddenKind::Exponent, i);
    for (std::int32_t i = 0; i < MaxFactors; ++i)
        for (std::int32_t j = i + 1; j < MaxFactors; ++j)
            AddAdden(TAddenKind::CubicDifference, i, j);
    for (std::int32_t degree = 4; degree <= MaxDegree; ++degree)
        AddAdden(TAddenKind::Power, 0, degree);
}

} // namespace orvanta::stdmodule
