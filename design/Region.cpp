#include "design/Region.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace orvanta {

namespace {

constexpr double OnSimplex = 1e-9;

// The generator's raw words, not std::uniform_real_distribution: its
// algorithm is the library's choice, and the sample must be the same
// everywhere.
double Uniform(std::mt19937& random) {
    return (static_cast<double>(random()) + 0.5) / 4294967296.0;
}

bool IsMixtureRun(const double* x, std::int32_t k) {
    double sum = 0.0;
    for (std::int32_t j = 0; j < k; ++j) {
        if (x[j] < -OnSimplex)
            return false;
        sum += x[j];
    }
    return std::fabs(sum - 1.0) <= OnSimplex;
}

// Every composition of `total` into `parts` non-negative whole parts.
void Compositions(std::int32_t parts, std::int32_t total, std::vector<std::int32_t>& prefix,
                  std::vector<std::vector<std::int32_t>>& out) {
    if (parts == 1) {
        prefix.push_back(total);
        out.push_back(prefix);
        prefix.pop_back();
        return;
    }
    for (std::int32_t first = total; first >= 0; --first) {
        prefix.push_back(first);
        Compositions(parts - 1, total - first, prefix, out);
        prefix.pop_back();
    }
}

double LatticeSize(std::int32_t k, std::int32_t m) {
    // C(m + k - 1, k - 1)
    double size = 1.0;
    for (std::int32_t i = 1; i < k; ++i)
        size = size * (m + i) / i;
    return size;
}

std::vector<TPoint> CubeGrid(std::int32_t k, std::int32_t limit) {
    const auto levels = static_cast<std::int32_t>(std::floor(std::pow(limit, 1.0 / k) + 1e-9));
    if (levels < 2)
        return {};
    std::vector<TPoint> grid;
    std::vector<std::int32_t> index(static_cast<std::size_t>(k), 0);
    for (;;) {
        TPoint& x = grid.emplace_back(static_cast<std::size_t>(k));
        for (std::size_t j = 0; j < x.size(); ++j)
            x[j] = -1.0 + 2.0 * index[j] / (levels - 1);
        std::size_t j = 0;
        while (j < index.size() && ++index[j] == levels)
            index[j++] = 0;
        if (j == index.size())
            return grid;
    }
}

std::vector<TPoint> SimplexGrid(std::int32_t k, std::int32_t limit) {
    std::int32_t m = 1;
    while (LatticeSize(k, m + 1) <= limit)
        ++m;
    if (LatticeSize(k, m) > limit)
        return {};
    std::vector<std::vector<std::int32_t>> parts;
    std::vector<std::int32_t> prefix;
    Compositions(k, m, prefix, parts);
    std::vector<TPoint> grid;
    for (const auto& p : parts) {
        TPoint& x = grid.emplace_back();
        for (const std::int32_t part : p)
            x.push_back(static_cast<double>(part) / m);
    }
    return grid;
}

// One pass of moves of size `step` from x; true when one raised `best`.
bool ImprovingMoves(TDesignRegion region, TPoint& x, double step, double& best,
                    const std::function<double(const TPoint&)>& value) {
    bool improved = false;
    const auto tryPoint = [&](const TPoint& candidate) {
        const double v = value(candidate);
        if (v > best) {
            best = v;
            x = candidate;
            improved = true;
        }
    };
    const std::size_t k = x.size();
    for (std::size_t i = 0; i < k; ++i) {
        if (region == TDesignRegion::Cube) {
            for (const double direction : {step, -step}) {
                TPoint candidate = x;
                candidate[i] = std::clamp(x[i] + direction, -1.0, 1.0);
                if (candidate[i] != x[i])
                    tryPoint(candidate);
            }
            continue;
        }
        // From component j to component i, at most what j has.
        for (std::size_t j = 0; j < k; ++j) {
            const double t = std::min(step, x[j]);
            if (i == j || t <= 0.0)
                continue;
            TPoint candidate = x;
            candidate[i] += t;
            candidate[j] -= t;
            tryPoint(candidate);
        }
    }
    return improved;
}

} // namespace

TDesignRegion DesignRegion(const TMatrix& design, const TModelBasis& basis) {
    const std::int32_t k = basis.FactorCount;
    if (design.RowCount() < 1 || design.ColCount() != k || k < 2)
        return TDesignRegion::Cube;
    for (std::int32_t i = 0; i < design.RowCount(); ++i)
        if (!IsMixtureRun(design.Row(i), k))
            return TDesignRegion::Cube;
    const TMatrix x = ModelMatrix(design, basis);
    for (std::int32_t j = 0; j < x.ColCount(); ++j) {
        bool constant = true;
        for (std::int32_t i = 0; i < x.RowCount() && constant; ++i)
            constant = x.Get(i, j) == 1.0;
        if (constant)
            return TDesignRegion::Cube;
    }
    return TDesignRegion::Simplex;
}

TPoint RegionCentre(TDesignRegion region, std::int32_t k) {
    return TPoint(static_cast<std::size_t>(k), region == TDesignRegion::Cube ? 0.0 : 1.0 / k);
}

std::vector<TPoint> UniformSample(TDesignRegion region, std::int32_t k, std::int32_t count,
                                  std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<TPoint> sample(static_cast<std::size_t>(std::max(count, 0)));
    for (TPoint& x : sample) {
        x.resize(static_cast<std::size_t>(k));
        double sum = 0.0;
        for (double& v : x) {
            const double u = Uniform(random);
            // Normalised exponentials are uniform on the simplex.
            v = region == TDesignRegion::Cube ? 2.0 * u - 1.0 : -std::log(u);
            sum += v;
        }
        if (region == TDesignRegion::Simplex)
            for (double& v : x)
                v /= sum;
    }
    return sample;
}

std::vector<TPoint> RegionGrid(TDesignRegion region, std::int32_t k, std::int32_t limit) {
    if (k < 1 || limit < 2)
        return {};
    return region == TDesignRegion::Cube ? CubeGrid(k, limit) : SimplexGrid(k, limit);
}

double ClimbInRegion(TDesignRegion region, TPoint& start,
                     const std::function<double(const TPoint&)>& value) {
    constexpr std::int32_t PassesPerStep = 64;
    double best = value(start);
    for (double step = 0.25; step > 1e-7; step /= 2.0)
        for (std::int32_t pass = 0; pass < PassesPerStep; ++pass)
            if (!ImprovingMoves(region, start, step, best, value))
                break;
    return best;
}

} // namespace orvanta
