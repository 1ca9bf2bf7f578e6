#include "Designs.h"

namespace orvanta::stdmodule {

namespace {

double Sign(bool plus) {
    return plus ? 1.0 : -1.0;
}

} // namespace

TDesign FullFactorial(std::int32_t k) {
    TDesign design;
    for (std::int32_t run = 0; run < (1 << k); ++run) {
        auto& row = design.emplace_back();
        for (std::int32_t j = 0; j < k; ++j)
            row.push_back(Sign((run >> j) & 1));
    }
    return design;
}

TDesign FractionalFactorial(std::int32_t base, std::initializer_list<unsigned> generators) {
    TDesign design = FullFactorial(base);
    for (auto& row : design) {
        const std::vector<double> core = row;
        for (const unsigned word : generators) {
            double product = 1.0;
            for (std::int32_t j = 0; j < base; ++j)
                if ((word >> j) & 1U)
                    product *= core[static_cast<std::size_t>(j)];
            row.push_back(product);
        }
    }
    return design;
}

TDesign PlackettBurman12() {
    // Plackett and Burman's generating row for N = 12; every next run is the
    // previous one shifted one place to the right, the last run is all minus.
    const bool first[11] = {true, true, false, true, true, true, false, false, false, true, false};
    TDesign design;
    for (int run = 0; run < 11; ++run) {
        auto& row = design.emplace_back();
        for (int j = 0; j < 11; ++j)
            row.push_back(Sign(first[(j - run + 11) % 11]));
    }
    design.emplace_back(11, -1.0);
    return design;
}

TDesign BoxBehnken(std::int32_t k, std::int32_t centreRuns) {
    TDesign design;
    const auto columns = static_cast<std::size_t>(k);
    for (std::size_t a = 0; a < columns; ++a)
        for (std::size_t b = a + 1; b < columns; ++b)
            for (int corner = 0; corner < 4; ++corner) {
                auto& row = design.emplace_back(columns, 0.0);
                row[a] = Sign(corner & 1);
                row[b] = Sign(corner & 2);
            }
    for (std::int32_t c = 0; c < centreRuns; ++c)
        design.emplace_back(columns, 0.0);
    return design;
}

TDesign FaceCentredComposite(std::int32_t k) {
    TDesign design = FullFactorial(k);
    const auto columns = static_cast<std::size_t>(k);
    for (std::size_t j = 0; j < columns; ++j)
        for (const double level : {-1.0, 1.0}) {
            auto& row = design.emplace_back(columns, 0.0);
            row[j] = level;
        }
    design.emplace_back(columns, 0.0);
    return design;
}

TDesign ThreeLevelFactorial(std::int32_t k) {
    TDesign design;
    std::int32_t runs = 1;
    for (std::int32_t j = 0; j < k; ++j)
        runs *= 3;
    for (std::int32_t run = 0; run < runs; ++run) {
        auto& row = design.emplace_back();
        for (std::int32_t j = 0, rest = run; j < k; ++j, rest /= 3)
            row.push_back(static_cast<double>(rest % 3 - 1));
    }
    return design;
}

TDesign SimplexLattice3(std::int32_t degree) {
    const double step = 1.0 / degree;
    TDesign design;
    // The pure components first, then the binary mixtures edge by edge, then
    // the mixtures of all three; richer in the earlier component first.
    for (std::size_t i = 0; i < 3; ++i) {
        auto& row = design.emplace_back(3, 0.0);
        row[i] = 1.0;
    }
    for (std::size_t a = 0; a < 3; ++a)
        for (std::size_t b = a + 1; b < 3; ++b)
            for (std::int32_t share = degree - 1; share >= 1; --share) {
                auto& row = design.emplace_back(3, 0.0);
                row[a] = share * step;
                row[b] = (degree - share) * step;
            }
    for (std::int32_t first = degree - 2; first >= 1; --first)
        for (std::int32_t second = degree - first - 1; second >= 1; --second)
            design.push_back({first * step, second * step, (degree - first - second) * step});
    return design;
}

TDesign SimplexCentroid3() {
    TDesign design = SimplexLattice3(2);
    design.push_back({1.0 / 3, 1.0 / 3, 1.0 / 3});
    return design;
}

TDesign UniformPoints(std::int32_t n) {
    TDesign design;
    for (std::int32_t i = 0; i < n; ++i)
        design.push_back({static_cast<double>(2 * i - (n - 1)) / (n - 1)});
    return design;
}

} // namespace orvanta::stdmodule
